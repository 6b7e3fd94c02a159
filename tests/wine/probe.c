/* A tiny ANSI Win32 program that proves the Wine harness: a window with Japanese texts, an edit
 * field, a progress bar and an OK button that shows an exclamation box, then a stop box, and exits
 * with the length in bytes of the edit field's text (so code page 932 input can be told from UTF-8). */
#include <windows.h>
#include <commctrl.h>
#include <string.h>

enum { IDC_PROBE_LABEL = 100, IDC_PROBE_EDIT = 101, IDC_PROBE_PROGRESS = 102 };
enum { kTextSize = 256, kProgressPos = 42 };

static const char kCaption[] = "ﾌﾟﾛｰﾌﾞ ソフト表示";
static int g_nExitCode = 255;

static void CreateControls(HWND hwnd)
{
    HINSTANCE hinst = GetModuleHandleA(NULL);
    CreateWindowExA(0, "STATIC", "ソフトウェアを表示します", WS_CHILD | WS_VISIBLE, 10, 10, 300, 20, hwnd,
                    (HMENU)IDC_PROBE_LABEL, hinst, NULL);
    CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "C:\\Program Files\\表示", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL,
                    10, 40, 300, 24, hwnd, (HMENU)IDC_PROBE_EDIT, hinst, NULL);
    HWND progress = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE, 10, 75, 300, 18, hwnd,
                                    (HMENU)IDC_PROBE_PROGRESS, hinst, NULL);
    SendMessageA(progress, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
    SendMessageA(progress, PBM_SETPOS, kProgressPos, 0);
    CreateWindowExA(0, "BUTTON", "OK", WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON, 230, 105, 80, 26, hwnd,
                    (HMENU)IDOK, hinst, NULL);

    /* Like a fixed-size dialog: the window cannot be sized or maximised. */
    HMENU menu = GetSystemMenu(hwnd, FALSE);
    DeleteMenu(menu, SC_SIZE, MF_BYCOMMAND);
    DeleteMenu(menu, SC_MAXIMIZE, MF_BYCOMMAND);
}

static void OnOK(HWND hwnd)
{
    char text[kTextSize];
    GetDlgItemTextA(hwnd, IDC_PROBE_EDIT, text, kTextSize);
    MessageBoxA(hwnd, text, "確認", MB_OK | MB_ICONEXCLAMATION);
    MessageBoxA(hwnd, "ファイルが見つかりません", "エラー", MB_OK | MB_ICONHAND);
    g_nExitCode = (int)strlen(text);
    DestroyWindow(hwnd);
}

static LRESULT CALLBACK ProbeWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg)
    {
    case WM_CREATE:
        CreateControls(hwnd);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) OnOK(hwnd);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(g_nExitCode);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow)
{
    (void)hPrevInstance;
    (void)lpCmdLine;
    InitCommonControls();
    WNDCLASSA wc;
    memset(&wc, 0, sizeof(wc));
    wc.lpfnWndProc = ProbeWndProc;
    wc.hInstance = hInstance;
    wc.hCursor = LoadCursorA(NULL, (LPCSTR)IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    wc.lpszClassName = "ProbeWindow";
    if (!RegisterClassA(&wc)) return 254;

    HWND hwnd = CreateWindowExA(0, "ProbeWindow", kCaption, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                                CW_USEDEFAULT, CW_USEDEFAULT, 330, 175, NULL, NULL, hInstance, NULL);
    if (!hwnd) return 253;
    ShowWindow(hwnd, nCmdShow);

    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0)
    {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return (int)msg.wParam;
}
