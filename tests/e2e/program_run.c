/* Starts a program with an exact command line and watches it until it ends: every top-level window
 * it makes (whether it was ever seen visible), every message box it shows (read, then answered with
 * OK so the program goes on) and its exit code. x86-64, so it starts at once under wine64.
 *
 * usage: program_run SECONDS COMMANDLINE
 * prints: "window: CLASS|TITLE|shown" or "...|never shown" per window, "msgbox: CAPTION|TEXT" per
 * box in the order shown, "exit: CODE" or "exit: timeout" (the program is then ended). UTF-8.
 *
 * The wine loader cannot do this: it quotes every argument that holds a blank and escapes the
 * quotes inside, so a command tail would not reach the program as the installer passes it. */
#ifndef UNICODE
#define UNICODE
#endif
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <wchar.h>

enum { kTextSize = 1024, kMaxWindows = 64, kMaxForeign = 1024, kPollMilliseconds = 2 };

/* Message boxes are dialogs with a static text control of this id, on Windows and on Wine. */
enum { kMsgBoxTextId = 0xFFFF };

struct watched_window {
    HWND hwnd;
    wchar_t class_name[64];
    wchar_t title[kTextSize];
    BOOL shown;
    BOOL box_read;
};

static struct watched_window g_windows[kMaxWindows];
static int g_window_count;
/* Windows of other processes, remembered so each costs one look-up only. */
static HWND g_foreign[kMaxForeign];
static int g_foreign_count;
static DWORD g_process_id;

static void write_utf8(const wchar_t *text)
{
    char buffer[kTextSize * 3];
    DWORD written;
    int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, buffer, sizeof(buffer), NULL, NULL);
    if (n > 0) WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), buffer, n - 1, &written, NULL);
}

static BOOL is_foreign(HWND hwnd)
{
    for (int i = 0; i < g_foreign_count; i++)
        if (g_foreign[i] == hwnd) return TRUE;
    return FALSE;
}

static struct watched_window *find_watched(HWND hwnd)
{
    for (int i = 0; i < g_window_count; i++)
        if (g_windows[i].hwnd == hwnd) return &g_windows[i];
    return NULL;
}

/* The box's text, then OK pressed (posted: the box runs its own modal loop). */
static void answer_msgbox(struct watched_window *box)
{
    wchar_t text[kTextSize] = L"";
    DWORD_PTR length = 0;
    HWND label = GetDlgItem(box->hwnd, kMsgBoxTextId);
    HWND ok = GetDlgItem(box->hwnd, IDOK);
    if (!label || !ok) return; /* not a message box, or not filled in yet */
    SendMessageTimeoutW(label, WM_GETTEXT, kTextSize, (LPARAM)text, SMTO_ABORTIFHUNG, 5000, &length);
    InternalGetWindowText(box->hwnd, box->title, kTextSize);
    write_utf8(L"msgbox: ");
    write_utf8(box->title);
    write_utf8(L"|");
    write_utf8(text);
    write_utf8(L"\n");
    box->box_read = TRUE;
    PostMessageW(ok, BM_CLICK, 0, 0);
}

static BOOL CALLBACK watch_proc(HWND hwnd, LPARAM lparam)
{
    (void)lparam;
    struct watched_window *window = find_watched(hwnd);
    if (!window)
    {
        DWORD owner = 0;
        if (is_foreign(hwnd)) return TRUE;
        GetWindowThreadProcessId(hwnd, &owner);
        if (owner != g_process_id)
        {
            if (g_foreign_count < kMaxForeign) g_foreign[g_foreign_count++] = hwnd;
            return TRUE;
        }
        if (g_window_count == kMaxWindows) return TRUE;
        window = &g_windows[g_window_count++];
        window->hwnd = hwnd;
        GetClassNameW(hwnd, window->class_name, 64);
        /* Read from the window manager, not by a message: the program may be busy inside
         * WM_CREATE, which is exactly when its window has to be watched. */
        InternalGetWindowText(hwnd, window->title, kTextSize);
    }
    if (IsWindowVisible(hwnd))
    {
        window->shown = TRUE;
        if (!window->box_read && !wcscmp(window->class_name, L"#32770")) answer_msgbox(window);
    }
    return TRUE;
}

int wmain(int argc, wchar_t **argv)
{
    if (argc != 3)
    {
        fputs("usage: program_run SECONDS COMMANDLINE\n", stderr);
        return 2;
    }
    DWORD limit = (DWORD)(_wtof(argv[1]) * 1000);
    wchar_t *command_line = _wcsdup(argv[2]);
    STARTUPINFOW startup;
    PROCESS_INFORMATION process;
    memset(&startup, 0, sizeof(startup));
    startup.cb = sizeof(startup);
    if (!CreateProcessW(NULL, command_line, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process))
    {
        fprintf(stderr, "program_run: cannot start the program (error %lu)\n", GetLastError());
        return 1;
    }
    g_process_id = process.dwProcessId;

    DWORD started = GetTickCount();
    BOOL ended = FALSE;
    while (!ended)
    {
        ended = WaitForSingleObject(process.hProcess, kPollMilliseconds) == WAIT_OBJECT_0;
        EnumWindows(watch_proc, 0);
        if (!ended && GetTickCount() - started >= limit) break;
    }

    for (int i = 0; i < g_window_count; i++)
    {
        write_utf8(L"window: ");
        write_utf8(g_windows[i].class_name);
        write_utf8(L"|");
        write_utf8(g_windows[i].title);
        write_utf8(g_windows[i].shown ? L"|shown\n" : L"|never shown\n");
    }
    DWORD code = 0;
    if (!ended)
    {
        TerminateProcess(process.hProcess, 1);
        write_utf8(L"exit: timeout\n");
    }
    else
    {
        wchar_t text[32];
        GetExitCodeProcess(process.hProcess, &code);
        swprintf(text, 32, L"exit: %lu\n", (unsigned long)code);
        write_utf8(text);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 0;
}
