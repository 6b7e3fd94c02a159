/* zvwnd.h - ウィンドウ ZvWnd */
#ifndef ZVWND_H
#define ZVWND_H

#include "zvstring.h"

class ZVAPI ZvWnd
{
public:
    ZvWnd() : m_hWnd(0) {}
    virtual ~ZvWnd();

    BOOL Create(const char* pszClassName, const char* pszTitle, DWORD dwStyle, const RECT& rc,
                ZvWnd* pParent, UINT nId);
    BOOL DestroyWindow();
    void SetWindowText(const char* pszText) { ::SetWindowTextA(m_hWnd, pszText); }
    ZvString GetWindowText() const;
    BOOL ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
    void Invalidate(BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, 0, bErase); }
    LRESULT SendMessage(UINT uMsg, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return ::SendMessageA(m_hWnd, uMsg, wParam, lParam);
    }
    HWND GetHwnd() const { return m_hWnd; }

    HWND m_hWnd;

protected:
    virtual LRESULT WindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam);
};

#endif /* ZVWND_H */
