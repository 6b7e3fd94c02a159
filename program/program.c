/* program.exe: registers the installed product with Program Manager. One hidden window; the whole
 * job runs while that window is being created: a group conversation, then an item conversation. */
#include <windows.h>

#include "command_tail.h"
#include "conversation.h"
#include "resources/resource.h"

static const char kClassName[] = "REGISTER";
static const char kWindowTitle[] = "MyClient";
static char g_szTail[kTailBufferSize];
static BOOL g_bTailFits;

/* The conversations reach the system through this table (tests give them a fake one). */
static const ConversationApi g_SystemApi = {
    DdeInitializeA, DdeCreateStringHandleA, DdeConnect, DdeCreateDataHandle, DdeClientTransaction,
    DdeFreeStringHandle, DdeDisconnect, DdeUninitialize, GlobalAlloc, GlobalFree, MessageBoxA};

static LRESULT CALLBACK WndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg != WM_CREATE)
        return DefWindowProcA(hWnd, uMsg, wParam, lParam);
    RegisterWithProgramManager(g_szTail, g_bTailFits);
    PostQuitMessage(0);
    return 1;
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow)
{
    WNDCLASSA wc;
    HWND hWnd;
    MSG msg;

    ZeroMemory(&msg, sizeof(msg));

    (void)hPrevInstance; (void)lpCmdLine; (void)nCmdShow;
    g_pApi = &g_SystemApi;
    /* A tail too long for the buffer is not cut: nothing is sent and the failure box is shown. */
    g_bTailFits = CopyCommandTail(g_szTail, FindCommandTail(GetCommandLineA()));

    ZeroMemory(&wc, sizeof(wc));
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = WndProc;
    wc.hInstance = hInstance;
    wc.hIcon = LoadIconA(hInstance, MAKEINTRESOURCEA(IDI_PROGRAM));
    wc.hCursor = LoadCursorA(NULL, (LPCSTR)IDC_ARROW);
    wc.lpszClassName = kClassName;
    if (!RegisterClassA(&wc))
        return 0;

    hWnd = CreateWindowExA(0, kClassName, kWindowTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, NULL, NULL, hInstance, NULL);
    if (hWnd == NULL)
        return 0;
    ShowWindow(hWnd, SW_HIDE);
    UpdateWindow(hWnd);

    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    UnregisterClassA(kClassName, hInstance);
    return (int)msg.wParam;
}
