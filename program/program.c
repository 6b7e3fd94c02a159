/* program.exe: registers the installed product with Program Manager. One hidden window; the whole
 * job runs while that window is being created: a group conversation, then an item conversation. */
#include <windows.h>
#include <ddeml.h>

#include "command_tail.h"
#include "resources/resource.h"

static const char kClassName[] = "REGISTER";
static const char kWindowTitle[] = "MyClient";
static const char kServiceName[] = "PROGMAN";
static const char kErrorCaption[] = "Error";

enum {
    kGroupReplyWait = 10000, /* Program Manager may take its time to open a new group window */
    kItemReplyWait = 1000
};

static char g_szTail[kTailBufferSize];
static BOOL g_bTailFits;
static DWORD g_idInstance;
/* Both conversations pass this; only cb is set, so the system defaults apply. */
static const CONVCONTEXT g_ConvContext = {sizeof(CONVCONTEXT), 0, 0, 0, 0, 0, {0, 0, 0, 0}};

static void ShowError(const char* text)
{
    MessageBoxA(NULL, text, kErrorCaption, MB_OK);
}

static HDDEDATA CALLBACK DdeCallback(UINT uType, UINT uFmt, HCONV hConv, HSZ hsz1, HSZ hsz2,
                                     HDDEDATA hData, ULONG_PTR dwData1, ULONG_PTR dwData2)
{
    (void)uType; (void)uFmt; (void)hConv; (void)hsz1; (void)hsz2; (void)hData;
    (void)dwData1; (void)dwData2;
    return (HDDEDATA)0;
}

/* Sends one execute command, the terminating zero included; returns the transaction's result. */
static BOOL Execute(HCONV hConv, const char* command, DWORD dwTimeout)
{
    HDDEDATA hData = DdeCreateDataHandle(g_idInstance, (LPBYTE)command, lstrlenA(command) + 1, 0,
                                         NULL, CF_TEXT, 0);
    DWORD dwResult = 0;
    return DdeClientTransaction((LPBYTE)hData, (DWORD)-1, hConv, NULL, 0, XTYP_EXECUTE, dwTimeout,
                                &dwResult) != NULL;
}

BOOL SendCreateGroup(const char* group)
{
    char* pszGroup = (char*)GlobalAlloc(GPTR, kGroupNameBufferSize);
    char* pszCommand = (char*)GlobalAlloc(GPTR, kGroupCommandBufferSize);
    HSZ hszService;
    HCONV hConv;

    if (pszGroup == NULL || pszCommand == NULL) {
        ShowError("Memory Allocation failure");
        if (pszGroup) GlobalFree(pszGroup);
        if (pszCommand) GlobalFree(pszCommand);
        return FALSE;
    }
    if (DdeInitializeA(&g_idInstance, DdeCallback, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) {
        ShowError("DDEML Initialization Failure");
        GlobalFree(pszGroup);
        GlobalFree(pszCommand);
        return FALSE;
    }
    hszService = DdeCreateStringHandleA(g_idInstance, kServiceName, CP_WINANSI);
    if (hszService != NULL) {
        hConv = DdeConnect(g_idInstance, hszService, hszService, (PCONVCONTEXT)&g_ConvContext);
        /* A group name that does not fit is not sent at all: a shortened one would make a
         * different group. The failure shows as a failed transaction would. */
        if (lstrlenA(group) < kGroupNameBufferSize) {
            lstrcpyA(pszGroup, group);
            BuildCreateGroupCommand(pszCommand, pszGroup);
        }
        if (pszCommand[0] == '\0' || !Execute(hConv, pszCommand, kGroupReplyWait))
            ShowError("DdeClientTransaction Failed");
        DdeFreeStringHandle(g_idInstance, hszService);
        DdeDisconnect(hConv);
    }
    GlobalFree(pszGroup);
    GlobalFree(pszCommand);
    DdeUninitialize(g_idInstance);
    g_idInstance = 0;
    return TRUE;
}

BOOL SendAddItem(const char* item_name, const char* command_line)
{
    char szCommand[kItemCommandBufferSize];
    HSZ hszService;
    HCONV hConv = NULL;

    if (DdeInitializeA(&g_idInstance, DdeCallback, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR)
        return FALSE;
    hszService = DdeCreateStringHandleA(g_idInstance, kServiceName, CP_WINANSI);
    if (hszService != NULL) {
        hConv = DdeConnect(g_idInstance, hszService, hszService, (PCONVCONTEXT)&g_ConvContext);
        DdeFreeStringHandle(g_idInstance, hszService);
        /* An item that does not fit is not sent; its failure is as silent as a refused one. */
        if (BuildAddItemCommand(szCommand, command_line, item_name))
            Execute(hConv, szCommand, kItemReplyWait);
    }
    if (hConv != NULL)
        DdeDisconnect(hConv);
    DdeUninitialize(g_idInstance);
    g_idInstance = 0;
    return TRUE;
}

static LRESULT CALLBACK WndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    char* fields[kFieldCount];

    if (uMsg != WM_CREATE)
        return DefWindowProcA(hWnd, uMsg, wParam, lParam);
    SplitCommandTail(g_szTail, fields);
    if (g_bTailFits) {
        SendCreateGroup(fields[kFieldGroup]);
        SendAddItem(fields[kFieldItemName], fields[kFieldCommandLine]);
    }
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
    /* A tail too long for the buffer registers nothing rather than a cut item. */
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
