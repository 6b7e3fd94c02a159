/* Test driver for the end-to-end tests: finds windows of the program under test by caption and
 * reads or works their controls, message boxes, shortcuts and Program Manager groups. Texts cross
 * to the Linux side as UTF-8; the programs under test speak code page 932. */
#ifndef UNICODE
#define UNICODE
#endif
#ifndef _UNICODE
#define _UNICODE
#endif
#define COBJMACROS
#include <windows.h>
#include <commctrl.h>
#include <ddeml.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <wchar.h>

enum { kTextSize = 4096, kAnsiSize = 1024, kMessageTimeout = 5000 };

/* A message box's text control and icon control, the same on Windows and Wine. */
enum { kMsgBoxTextId = 0xFFFF, kMsgBoxIconId = 0x0440 };

static void write_utf8(const wchar_t *text)
{
    char buffer[kTextSize * 3];
    int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, buffer, sizeof(buffer), NULL, NULL);
    DWORD written;
    if (n > 0) WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), buffer, n - 1, &written, NULL);
}

/* Prints one line, bypassing the C runtime's text mode, which would add CRs; CR LF inside the text becomes LF so shell scripts compare it plainly. */
static void print_line(const wchar_t *prefix, const wchar_t *text)
{
    wchar_t line[kTextSize];
    size_t j = 0;
    for (size_t i = 0; text[i] && j < kTextSize - 2; i++)
        if (text[i] != L'\r') line[j++] = text[i];
    line[j++] = L'\n';
    line[j] = 0;
    if (prefix) write_utf8(prefix);
    write_utf8(line);
}

static void print_ansi_line(const wchar_t *prefix, const char *text)
{
    wchar_t wide[kTextSize];
    if (!MultiByteToWideChar(932, 0, text, -1, wide, kTextSize)) wcscpy(wide, L"<not code page 932>");
    print_line(prefix, wide);
}

static int fail(const wchar_t *what, const wchar_t *arg)
{
    char buffer[kTextSize];
    WideCharToMultiByte(CP_UTF8, 0, arg ? arg : L"", -1, buffer, sizeof(buffer), NULL, NULL);
    char head[256];
    WideCharToMultiByte(CP_UTF8, 0, what, -1, head, sizeof(head), NULL, NULL);
    fprintf(stderr, "driver: %s%s (error %lu)\n", head, buffer, GetLastError());
    return 1;
}

static UINT parse_id(const wchar_t *text) { return (UINT)wcstoul(text, NULL, 0); }

/* Polls with a growing sleep, as the window may belong to a program that is still starting. */
static HWND wait_for_window(const wchar_t *caption, double seconds)
{
    DWORD deadline = GetTickCount() + (DWORD)(seconds * 1000);
    DWORD pause = 20;
    for (;;)
    {
        HWND hwnd = FindWindowW(NULL, caption);
        if (hwnd && IsWindowVisible(hwnd)) return hwnd;
        if ((LONG)(GetTickCount() - deadline) >= 0) return NULL;
        Sleep(pause);
        if (pause < 500) pause *= 2;
    }
}

static HWND find_window(const wchar_t *caption)
{
    HWND hwnd = FindWindowW(NULL, caption);
    if (!hwnd) fail(L"no window titled ", caption);
    return hwnd;
}

static BOOL get_text(HWND hwnd, wchar_t *text)
{
    DWORD_PTR length = 0;
    text[0] = 0;
    return SendMessageTimeoutW(hwnd, WM_GETTEXT, kTextSize, (LPARAM)text, SMTO_ABORTIFHUNG,
                               kMessageTimeout, &length) != 0;
}

static HWND find_control(const wchar_t *caption, const wchar_t *id)
{
    HWND hwnd = find_window(caption);
    if (!hwnd) return NULL;
    HWND control = GetDlgItem(hwnd, (int)parse_id(id));
    if (!control) fail(L"no control with id ", id);
    return control;
}

static int cmd_acp(void)
{
    wchar_t text[16];
    swprintf(text, 16, L"%u", GetACP());
    print_line(NULL, text);
    return 0;
}

static int cmd_wait_window(const wchar_t *caption, const wchar_t *seconds)
{
    HWND hwnd = wait_for_window(caption, _wtof(seconds));
    if (!hwnd) return fail(L"timed out waiting for ", caption);
    wchar_t class_name[256];
    GetClassNameW(hwnd, class_name, 256);
    print_line(NULL, class_name);
    return 0;
}

static int cmd_get_text(const wchar_t *caption, const wchar_t *id)
{
    HWND control = find_control(caption, id);
    wchar_t text[kTextSize];
    wcscpy(text, L"garbage");
    if (!control) return 1;
    if (!get_text(control, text)) return fail(L"WM_GETTEXT did not answer for id ", id);
    print_line(NULL, text);
    return 0;
}

static int cmd_set_text(const wchar_t *caption, const wchar_t *id, const wchar_t *text)
{
    HWND control = find_control(caption, id);
    DWORD_PTR result = 0;
    if (!control) return 1;
    if (!SendMessageTimeoutW(control, WM_SETTEXT, 0, (LPARAM)text, SMTO_ABORTIFHUNG, kMessageTimeout,
                             &result) || !result)
        return fail(L"WM_SETTEXT refused for id ", id);
    return 0;
}

/* Posted, not sent: the click usually opens a modal box, which would block a sent message. */
static int cmd_click(const wchar_t *caption, const wchar_t *id)
{
    HWND control = find_control(caption, id);
    if (!control) return 1;
    if (!PostMessageW(control, BM_CLICK, 0, 0)) return fail(L"cannot post BM_CLICK to id ", id);
    return 0;
}

static int cmd_progress(const wchar_t *caption, const wchar_t *id)
{
    HWND control = find_control(caption, id);
    DWORD_PTR pos = 0xdeadbeef;
    if (!control) return 1;
    if (!SendMessageTimeoutW(control, PBM_GETPOS, 0, 0, SMTO_ABORTIFHUNG, kMessageTimeout, &pos))
        return fail(L"PBM_GETPOS did not answer for id ", id);
    wchar_t text[32];
    swprintf(text, 32, L"%lu", (unsigned long)pos);
    print_line(NULL, text);
    return 0;
}

/* Without an id: prints the id of the control that has the keyboard focus in the window's thread.
 * With one: moves the focus there the way the dialog manager does (WM_NEXTDLGCTL, posted). */
static int cmd_focus(const wchar_t *caption, const wchar_t *id)
{
    HWND hwnd = find_window(caption);
    if (!hwnd) return 1;
    if (id)
    {
        HWND control = find_control(caption, id);
        if (!control) return 1;
        if (!PostMessageW(hwnd, WM_NEXTDLGCTL, (WPARAM)control, TRUE))
            return fail(L"cannot post WM_NEXTDLGCTL for id ", id);
        return 0;
    }
    GUITHREADINFO info;
    memset(&info, 0, sizeof(info));
    info.cbSize = sizeof(info);
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(hwnd, NULL), &info))
        return fail(L"cannot read the focus of ", caption);
    if (!info.hwndFocus) return fail(L"no control has the focus in ", caption);
    wchar_t text[32];
    swprintf(text, 32, L"%d", (int)(short)GetDlgCtrlID(info.hwndFocus));
    print_line(NULL, text);
    return 0;
}

/* A key press (down, then up) posted to a control, as the keyboard would queue it; the dialog
 * manager of the program under test sees it in its own loop (Enter, Esc). */
static int cmd_key(const wchar_t *caption, const wchar_t *id, const wchar_t *vk)
{
    HWND control = find_control(caption, id);
    if (!control) return 1;
    UINT key = parse_id(vk);
    LPARAM scan = (LPARAM)MapVirtualKeyW(key, MAPVK_VK_TO_VSC) << 16;
    if (!PostMessageW(control, WM_KEYDOWN, key, scan | 1) ||
        !PostMessageW(control, WM_KEYUP, key, scan | 1 | 0xC0000000))
        return fail(L"cannot post the key to id ", id);
    return 0;
}

/* Posted: a system command such as the one for an added system-menu item usually opens a box. */
static int cmd_syscommand(const wchar_t *caption, const wchar_t *command)
{
    HWND hwnd = find_window(caption);
    if (!hwnd) return 1;
    if (!PostMessageW(hwnd, WM_SYSCOMMAND, parse_id(command), 0))
        return fail(L"cannot post WM_SYSCOMMAND ", command);
    return 0;
}

/* One line per item: its command id in hex (0 for a separator), its state and its text. */
static int list_menu(HMENU menu)
{
    int count = GetMenuItemCount(menu);
    if (count < 0) return fail(L"cannot read the menu", NULL);
    for (int i = 0; i < count; i++)
    {
        wchar_t text[kTextSize] = L"";
        MENUITEMINFOW info;
        memset(&info, 0, sizeof(info));
        info.cbSize = sizeof(info);
        info.fMask = MIIM_ID | MIIM_STATE | MIIM_FTYPE | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = kTextSize;
        if (!GetMenuItemInfoW(menu, i, TRUE, &info)) return fail(L"cannot read a menu item", NULL);
        wchar_t head[64];
        if (info.fType & MFT_SEPARATOR)
            wcscpy(head, L"0x0000 separator ");
        else
            swprintf(head, 64, L"0x%04X %ls ", info.wID,
                     (info.fState & MFS_GRAYED) ? L"grayed" : L"enabled");
        print_line(head, text);
    }
    return 0;
}

/* Wine 8.0 keeps menus per process, so GetSystemMenu on another process's window returns NULL
 * there. Then 32-bit rundll32 hooks sysmenu32.dll (beside this driver) into the program, which
 * writes the list to %TEMP%; that costs one emulated 32-bit start, about a minute here. */
static int dump_sysmenu_in_process(HWND hwnd)
{
    wchar_t dll[MAX_PATH], command[3 * MAX_PATH], rundll[MAX_PATH], temp[MAX_PATH], result[MAX_PATH];
    GetModuleFileNameW(NULL, dll, MAX_PATH);
    wchar_t *slash = wcsrchr(dll, L'\\');
    wcscpy(slash ? slash + 1 : dll, L"sysmenu32.dll");
    if (GetFileAttributesW(dll) == INVALID_FILE_ATTRIBUTES) return fail(L"missing ", dll);
    if (!GetSystemWow64DirectoryW(rundll, MAX_PATH)) return fail(L"no 32-bit system folder", NULL);
    wcscat(rundll, L"\\rundll32.exe");
    swprintf(command, 3 * MAX_PATH, L"\"%ls\" %ls,DumpSystemMenu %lx", rundll, dll,
             (unsigned long)(ULONG_PTR)hwnd);
    GetTempPathW(MAX_PATH, temp);
    swprintf(result, MAX_PATH, L"%lssysmenu-%lx.txt", temp, (unsigned long)(ULONG_PTR)hwnd);
    DeleteFileW(result);

    STARTUPINFOW startup;
    PROCESS_INFORMATION process;
    memset(&startup, 0, sizeof(startup));
    startup.cb = sizeof(startup);
    if (!CreateProcessW(rundll, command, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process))
        return fail(L"cannot start ", rundll);
    DWORD waited = WaitForSingleObject(process.hProcess, 300 * 1000);
    CloseHandle(process.hThread);
    if (waited != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hProcess);

    HANDLE file = CreateFileW(result, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE) return fail(L"the program did not report its system menu", NULL);
    char buffer[kTextSize];
    DWORD size = 0, written;
    while (ReadFile(file, buffer, sizeof(buffer), &size, NULL) && size)
        WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), buffer, size, &written, NULL);
    CloseHandle(file);
    DeleteFileW(result);
    return 0;
}

static int cmd_sysmenu(const wchar_t *caption)
{
    HWND hwnd = find_window(caption);
    if (!hwnd) return 1;
    HMENU menu = GetSystemMenu(hwnd, FALSE);
    return menu ? list_menu(menu) : dump_sysmenu_in_process(hwnd);
}

struct msgbox_search { HWND found; };

static BOOL CALLBACK find_msgbox_proc(HWND hwnd, LPARAM lparam)
{
    wchar_t class_name[64];
    GetClassNameW(hwnd, class_name, 64);
    if (wcscmp(class_name, L"#32770") || !IsWindowVisible(hwnd)) return TRUE;
    if (!GetDlgItem(hwnd, kMsgBoxTextId)) return TRUE;
    ((struct msgbox_search *)lparam)->found = hwnd;
    return FALSE;
}

/* Icon handles cannot cross processes in Wine, so the icon is told by its colours on screen:
 * the stop icon is mostly red, the exclamation icon yellow, information and question blue. */
static const wchar_t *icon_kind(HWND box)
{
    HWND icon = GetDlgItem(box, kMsgBoxIconId);
    RECT rect;
    if (!icon || !IsWindowVisible(icon) || !GetWindowRect(icon, &rect)) return L"none";
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return L"none";

    BITMAPINFO info;
    memset(&info, 0, sizeof(info));
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void *bits = NULL;
    HDC screen = GetDC(NULL);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    GdiFlush();

    int red = 0, yellow = 0, blue = 0;
    const DWORD *pixel = bits;
    for (int i = 0; i < width * height; i++)
    {
        int r = (pixel[i] >> 16) & 0xFF, g = (pixel[i] >> 8) & 0xFF, b = pixel[i] & 0xFF;
        if (r > 160 && g < 90 && b < 90) red++;
        else if (r > 160 && g > 140 && b < 90) yellow++;
        else if (b > 140 && r < 110) blue++;
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(NULL, screen);

    int least = width * height / 20;
    if (red >= least && red >= yellow && red >= blue) return L"stop";
    if (yellow >= least && yellow >= blue) return L"exclamation";
    if (blue >= least) return L"information";
    return L"none";
}

/* Prints the caption, the icon and the text (last, as it may span lines), then presses a button
 * (IDOK unless told) so the program under test carries on. */
static int cmd_msgbox(const wchar_t *seconds, const wchar_t *button)
{
    DWORD deadline = GetTickCount() + (DWORD)(_wtof(seconds) * 1000);
    DWORD pause = 20;
    struct msgbox_search search = { NULL };
    for (;;)
    {
        EnumWindows(find_msgbox_proc, (LPARAM)&search);
        if (search.found) break;
        if ((LONG)(GetTickCount() - deadline) >= 0) return fail(L"timed out waiting for a message box", NULL);
        Sleep(pause);
        if (pause < 500) pause *= 2;
    }
    HWND box = search.found;
    /* Let it finish painting before its icon is read off the screen. */
    DWORD_PTR ignored;
    SendMessageTimeoutW(box, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kMessageTimeout, &ignored);
    Sleep(300);

    wchar_t text[kTextSize];
    get_text(box, text);
    print_line(L"caption: ", text);
    print_line(L"icon: ", icon_kind(box));
    get_text(GetDlgItem(box, kMsgBoxTextId), text);
    print_line(L"text: ", text);

    HWND press = GetDlgItem(box, button ? (int)parse_id(button) : IDOK);
    if (!press) return fail(L"the message box has no such button", button);
    if (!PostMessageW(press, BM_CLICK, 0, 0)) return fail(L"cannot press the button", NULL);
    return 0;
}

static int cmd_read_link(const wchar_t *path)
{
    IShellLinkA *link = NULL;
    IPersistFile *file = NULL;
    CoInitialize(NULL);
    HRESULT hr = CoCreateInstance(&CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, &IID_IShellLinkA,
                                  (void **)&link);
    if (FAILED(hr)) return fail(L"no shell link object", NULL);
    hr = IShellLinkA_QueryInterface(link, &IID_IPersistFile, (void **)&file);
    if (SUCCEEDED(hr)) hr = IPersistFile_Load(file, path, STGM_READ);
    if (FAILED(hr)) return fail(L"cannot load ", path);

    char text[kAnsiSize];
    int icon_index = -1;
    strcpy(text, "garbage");
    IShellLinkA_GetPath(link, text, kAnsiSize, NULL, SLGP_RAWPATH);
    print_ansi_line(L"path: ", text);
    strcpy(text, "garbage");
    IShellLinkA_GetArguments(link, text, kAnsiSize);
    print_ansi_line(L"arguments: ", text);
    strcpy(text, "garbage");
    IShellLinkA_GetDescription(link, text, kAnsiSize);
    print_ansi_line(L"description: ", text);
    strcpy(text, "garbage");
    IShellLinkA_GetWorkingDirectory(link, text, kAnsiSize);
    print_ansi_line(L"workdir: ", text);
    strcpy(text, "garbage");
    IShellLinkA_GetIconLocation(link, text, kAnsiSize, &icon_index);
    char icon[kAnsiSize + 16];
    snprintf(icon, sizeof(icon), "%s,%d", text, icon_index);
    print_ansi_line(L"icon: ", icon);

    IPersistFile_Release(file);
    IShellLinkA_Release(link);
    CoUninitialize();
    return 0;
}

static HDDEDATA CALLBACK dde_callback(UINT type, UINT format, HCONV conv, HSZ hsz1, HSZ hsz2,
                                      HDDEDATA data, ULONG_PTR data1, ULONG_PTR data2)
{
    (void)type; (void)format; (void)conv; (void)hsz1; (void)hsz2; (void)data; (void)data1; (void)data2;
    return NULL;
}

/* Program Manager's group list, one name a line: the oracle for what the program created. */
static int cmd_groups(void)
{
    DWORD instance = 0;
    if (DdeInitializeA(&instance, dde_callback, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR)
        return fail(L"DdeInitialize failed", NULL);
    HSZ service = DdeCreateStringHandleA(instance, "PROGMAN", CP_WINANSI);
    HSZ item = DdeCreateStringHandleA(instance, "Groups", CP_WINANSI);
    HCONV conv = DdeConnect(instance, service, service, NULL);
    int result = 1;
    if (!conv)
        fail(L"cannot connect to PROGMAN", NULL);
    else
    {
        HDDEDATA data = DdeClientTransaction(NULL, 0, conv, item, CF_TEXT, XTYP_REQUEST, kMessageTimeout, NULL);
        if (!data)
            fail(L"the Groups request failed", NULL);
        else
        {
            char text[kTextSize * 2];
            DWORD size = DdeGetData(data, (BYTE *)text, sizeof(text) - 1, 0);
            text[size] = 0;
            wchar_t wide[kTextSize * 2];
            MultiByteToWideChar(932, 0, text, -1, wide, kTextSize * 2);
            /* The list ends with CR LF; print_line adds its own LF. */
            size_t n = wcslen(wide);
            while (n && (wide[n - 1] == L'\n' || wide[n - 1] == L'\r')) wide[--n] = 0;
            if (n) print_line(NULL, wide);
            DdeFreeDataHandle(data);
            result = 0;
        }
        DdeDisconnect(conv);
    }
    DdeFreeStringHandle(instance, item);
    DdeFreeStringHandle(instance, service);
    DdeUninitialize(instance);
    return result;
}

static int usage(void)
{
    fputs("usage: driver acp | wait-window CAPTION SECONDS | get-text CAPTION ID\n"
          "     | set-text CAPTION ID TEXT | click CAPTION ID | progress CAPTION ID\n"
          "     | sysmenu CAPTION | msgbox SECONDS [BUTTON-ID] | read-link PATH | groups\n"
          "     | focus CAPTION [ID] | key CAPTION ID VK | syscommand CAPTION ID\n",
          stderr);
    return 2;
}

int wmain(int argc, wchar_t **argv)
{
    if (argc < 2) return usage();
    const wchar_t *verb = argv[1];
    if (!wcscmp(verb, L"acp") && argc == 2) return cmd_acp();
    if (!wcscmp(verb, L"wait-window") && argc == 4) return cmd_wait_window(argv[2], argv[3]);
    if (!wcscmp(verb, L"get-text") && argc == 4) return cmd_get_text(argv[2], argv[3]);
    if (!wcscmp(verb, L"set-text") && argc == 5) return cmd_set_text(argv[2], argv[3], argv[4]);
    if (!wcscmp(verb, L"click") && argc == 4) return cmd_click(argv[2], argv[3]);
    if (!wcscmp(verb, L"progress") && argc == 4) return cmd_progress(argv[2], argv[3]);
    if (!wcscmp(verb, L"sysmenu") && argc == 3) return cmd_sysmenu(argv[2]);
    if (!wcscmp(verb, L"msgbox") && (argc == 3 || argc == 4)) return cmd_msgbox(argv[2], argc == 4 ? argv[3] : NULL);
    if (!wcscmp(verb, L"read-link") && argc == 3) return cmd_read_link(argv[2]);
    if (!wcscmp(verb, L"groups") && argc == 2) return cmd_groups();
    if (!wcscmp(verb, L"focus") && (argc == 3 || argc == 4)) return cmd_focus(argv[2], argc == 4 ? argv[3] : NULL);
    if (!wcscmp(verb, L"key") && argc == 5) return cmd_key(argv[2], argv[3], argv[4]);
    if (!wcscmp(verb, L"syscommand") && argc == 4) return cmd_syscommand(argv[2], argv[3]);
    return usage();
}
