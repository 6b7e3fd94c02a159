/* ZEVANO.exe, the sample product's main program: one window titled "ZEVANO＋＋" that says the
 * product is installed and where. It is what the installer's desktop shortcut and Program
 * Manager item start. */
#include <windows.h>
#include "resource.h"

enum { kClientWidth = 420, kClientHeight = 150, kMargin = 16, kLineHeight = 22, kButtonWidth = 88 };

static const char kClassName[] = "ZevanoMain";
/* Full-width plus signs: 0x81 0x7B each in code page 932, as in the shortcut's name. */
static const char kTitle[] = "ZEVANO＋＋";

static char g_szFolder[MAX_PATH];
static HFONT g_hFont;

/* The folder this program runs from, which is where the installer put the product. */
static void ReadInstallFolder(void)
{
    char *pLastSeparator = NULL;
    char *p;
    if (!GetModuleFileNameA(NULL, g_szFolder, MAX_PATH)) lstrcpyA(g_szFolder, "?");
    /* Step over double-byte characters whole: a trail byte 0x5C is not a separator. */
    for (p = g_szFolder; *p; p = CharNextA(p))
        if (*p == '\\') pLastSeparator = p;
    if (pLastSeparator) *pLastSeparator = '\0';
}

static void PaintText(HWND hWnd)
{
    static const char kInstalled[] = "ZEVANO＋＋ Version 1.0 はインストールされました。";
    static const char kFolderLabel[] = "インストール先: ";
    static const char kReadMe[] = "最初に README.TXT をお読みください。";
    char szLine[MAX_PATH + 64];
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(hWnd, &ps);
    HGDIOBJ hOldFont = SelectObject(hdc, g_hFont);
    SetBkMode(hdc, TRANSPARENT);
    TextOutA(hdc, kMargin, kMargin, kInstalled, lstrlenA(kInstalled));
    lstrcpyA(szLine, kFolderLabel);
    lstrcatA(szLine, g_szFolder);
    TextOutA(hdc, kMargin, kMargin + kLineHeight, szLine, lstrlenA(szLine));
    TextOutA(hdc, kMargin, kMargin + 2 * kLineHeight, kReadMe, lstrlenA(kReadMe));
    SelectObject(hdc, hOldFont);
    EndPaint(hWnd, &ps);
}

static LRESULT CALLBACK MainWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    switch (uMsg)
    {
    case WM_CREATE:
    {
        HWND hButton = CreateWindowA("BUTTON", "OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                                     kClientWidth - kMargin - kButtonWidth, kClientHeight - kMargin - 26,
                                     kButtonWidth, 26, hWnd, (HMENU)IDOK,
                                     ((LPCREATESTRUCTA)lParam)->hInstance, NULL);
        SendMessageA(hButton, WM_SETFONT, (WPARAM)g_hFont, 0);
        return 0;
    }
    case WM_PAINT:
        PaintText(hWnd);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) DestroyWindow(hWnd);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hWnd, uMsg, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow)
{
    WNDCLASSA wc;
    RECT rcWindow = { 0, 0, kClientWidth, kClientHeight };
    DWORD dwStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    HWND hWnd;
    MSG msg;
    (void)hPrevInstance;
    (void)lpCmdLine;

    ReadInstallFolder();
    g_hFont = (HFONT)GetStockObject(DEFAULT_GUI_FONT);

    ZeroMemory(&wc, sizeof(wc));
    wc.lpfnWndProc = MainWndProc;
    wc.hInstance = hInstance;
    wc.hIcon = LoadIconA(hInstance, MAKEINTRESOURCEA(IDI_ZEVANO));
    wc.hCursor = LoadCursorA(NULL, (LPCSTR)IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    if (!RegisterClassA(&wc)) return 1;

    AdjustWindowRect(&rcWindow, dwStyle, FALSE);
    hWnd = CreateWindowA(kClassName, kTitle, dwStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                         rcWindow.right - rcWindow.left, rcWindow.bottom - rcWindow.top, NULL, NULL,
                         hInstance, NULL);
    if (!hWnd) return 1;
    ShowWindow(hWnd, nCmdShow);
    UpdateWindow(hWnd);

    while (GetMessageA(&msg, NULL, 0, 0) > 0)
    {
        if (IsDialogMessageA(hWnd, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return (int)msg.wParam;
}
