/* A program for the installer's launch command to start: it writes, beside itself, the command tail
 * it was given (tail.txt), its working folder (folder.txt) and the show state it was asked for
 * (show.txt), byte for byte, then "recorded"; it stays alive a minute and then writes "finished",
 * so a test can tell whether the installer waited for it. */
#include <windows.h>

enum { kPathSize = MAX_PATH, kLingerMilliseconds = 60000 };

static char g_folder[kPathSize];

/* The folder of this program, ending in a backslash. The file name after the last backslash is
 * plain ASCII, so the last 0x5C byte is a real separator even if a folder name holds ソ (83 5C). */
static BOOL FindOwnFolder(void)
{
    DWORD length = GetModuleFileNameA(NULL, g_folder, kPathSize);
    if (length == 0 || length >= kPathSize) return FALSE;
    while (length > 0 && g_folder[length - 1] != '\\') --length;
    g_folder[length] = '\0';
    return length > 0;
}

static BOOL WriteRecord(const char *name, const char *bytes, DWORD count)
{
    char path[kPathSize];
    HANDLE file;
    DWORD written = 0;
    BOOL done;
    if (lstrlenA(g_folder) + lstrlenA(name) >= kPathSize) return FALSE;
    lstrcpyA(path, g_folder);
    lstrcatA(path, name);
    file = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) return FALSE;
    done = WriteFile(file, bytes, count, &written, NULL) && written == count;
    CloseHandle(file);
    return done;
}

/* The tail as WinMain would get it: past the program name (quoted or not) and the blanks after it. */
static const char *CommandTail(void)
{
    const char *p = GetCommandLineA();
    if (*p == '"') {
        ++p;
        while (*p && *p != '"') ++p;
        if (*p == '"') ++p;
    } else {
        while (*p && *p != ' ' && *p != '\t') ++p;
    }
    while (*p == ' ' || *p == '\t') ++p;
    return p;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand)
{
    const char *tail = CommandTail();
    char folder[kPathSize];
    char show[16] = "-";
    STARTUPINFOA startup;
    DWORD folderLength;
    MSG message;
    BOOL recorded;
    (void)instance;
    (void)previous;
    (void)commandLine;
    (void)showCommand;

    if (!FindOwnFolder()) return 1;
    folderLength = GetCurrentDirectoryA(kPathSize, folder);
    if (folderLength == 0 || folderLength >= kPathSize) return 1;
    startup.cb = sizeof(startup);
    GetStartupInfoA(&startup);
    if (startup.dwFlags & STARTF_USESHOWWINDOW) wsprintfA(show, "%u", (unsigned)startup.wShowWindow);

    recorded = WriteRecord("tail.txt", tail, lstrlenA(tail)) &&
               WriteRecord("folder.txt", folder, folderLength) &&
               WriteRecord("show.txt", show, lstrlenA(show));
    if (!recorded || !WriteRecord("recorded", "", 0)) return 1;

    /* Counts as idle for a starter that waits for input idle, so only a real wait is measured. */
    PeekMessageA(&message, NULL, 0, 0, PM_NOREMOVE);
    Sleep(kLingerMilliseconds);
    return WriteRecord("finished", "", 0) ? 0 : 1;
}
