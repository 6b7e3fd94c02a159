/* Reads a window's system menu from inside the process that owns it: Wine keeps menus per process,
 * so the test driver has rundll32 (32-bit) hook this library into the program under test. */
#include <windows.h>
#include <stdio.h>

enum { kTextSize = 512 };

static HINSTANCE g_hinst;
static UINT g_dump_message;

/* The result goes to %TEMP%\sysmenu-<window>.txt, UTF-8, one item a line: id, state, text. */
static void dump_menu(HWND hwnd)
{
    wchar_t dir[MAX_PATH], path[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    swprintf(path, MAX_PATH, L"%lssysmenu-%lx.tmp", dir, (unsigned long)(ULONG_PTR)hwnd);
    FILE *out = _wfopen(path, L"wb");
    if (!out) return;
    HMENU menu = GetSystemMenu(hwnd, FALSE);
    int count = menu ? GetMenuItemCount(menu) : -1;
    for (int i = 0; i < count; i++)
    {
        wchar_t text[kTextSize] = L"";
        char utf8[kTextSize * 3];
        MENUITEMINFOW info;
        memset(&info, 0, sizeof(info));
        info.cbSize = sizeof(info);
        info.fMask = MIIM_ID | MIIM_STATE | MIIM_FTYPE | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = kTextSize;
        if (!GetMenuItemInfoW(menu, i, TRUE, &info)) break;
        WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof(utf8), NULL, NULL);
        if (info.fType & MFT_SEPARATOR)
            fprintf(out, "0x0000 separator %s\n", utf8);
        else
            fprintf(out, "0x%04X %s %s\n", info.wID, (info.fState & MFS_GRAYED) ? "grayed" : "enabled", utf8);
    }
    fclose(out);
    wchar_t done[MAX_PATH];
    swprintf(done, MAX_PATH, L"%lssysmenu-%lx.txt", dir, (unsigned long)(ULONG_PTR)hwnd);
    MoveFileW(path, done);
}

__declspec(dllexport) LRESULT CALLBACK SysMenuHookProc(int code, WPARAM wParam, LPARAM lParam)
{
    MSG *msg = (MSG *)lParam;
    if (code == HC_ACTION && wParam == PM_REMOVE && msg->message == g_dump_message) dump_menu(msg->hwnd);
    return CallNextHookEx(NULL, code, wParam, lParam);
}

/* rundll32 sysmenu32.dll,DumpSystemMenu <window handle in hex> */
__declspec(dllexport) void CALLBACK DumpSystemMenu(HWND parent, HINSTANCE hinst, LPSTR command, int show)
{
    (void)parent; (void)hinst; (void)show;
    HWND target = (HWND)(ULONG_PTR)strtoul(command, NULL, 16);
    DWORD thread = GetWindowThreadProcessId(target, NULL);
    if (!thread) return;
    HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, SysMenuHookProc, g_hinst, thread);
    if (!hook) return;
    PostMessageW(target, g_dump_message, 0, 0);
    /* Keep the hook alive until the other process has answered. */
    wchar_t dir[MAX_PATH], done[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    swprintf(done, MAX_PATH, L"%lssysmenu-%lx.txt", dir, (unsigned long)(ULONG_PTR)target);
    for (int i = 0; i < 300 && GetFileAttributesW(done) == INVALID_FILE_ATTRIBUTES; i++) Sleep(100);
    UnhookWindowsHookEx(hook);
}

BOOL WINAPI DllMain(HINSTANCE hinst, DWORD reason, LPVOID reserved)
{
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH)
    {
        g_hinst = hinst;
        g_dump_message = RegisterWindowMessageW(L"ZevanoDumpSystemMenu");
    }
    return TRUE;
}
