// HELLO.CPP - ZEVANO++ サンプル 1: ウィンドウを 1 つ出す
#include "zevano.h"

class CHelloWnd : public ZvWnd
{
public:
    ZV_BEGIN_MSG_MAP(CHelloWnd)
        ZV_ON_MESSAGE(WM_PAINT, OnPaint)
        ZV_ON_MESSAGE(WM_DESTROY, OnDestroy)
    ZV_END_MSG_MAP(ZvWnd)

    LRESULT OnPaint(WPARAM, LPARAM)
    {
        ZvPaintDC dc(this);
        dc.SetBkMode(TRANSPARENT);
        dc.TextOut(16, 16, "こんにちは、ZEVANO＋＋ です。");
        return 0;
    }
    LRESULT OnDestroy(WPARAM, LPARAM)
    {
        ::PostQuitMessage(0);
        return 0;
    }
};

class CHelloApp : public ZvApp
{
public:
    BOOL InitInstance()
    {
        static CHelloWnd wnd;
        RECT rc = { CW_USEDEFAULT, CW_USEDEFAULT, 320, 120 };
        if (!wnd.Create(0, "HELLO", WS_OVERLAPPEDWINDOW, rc, 0, 0)) return FALSE;
        wnd.ShowWindow(SW_SHOW);
        m_pMainWnd = &wnd;
        return TRUE;
    }
};

CHelloApp theApp;
