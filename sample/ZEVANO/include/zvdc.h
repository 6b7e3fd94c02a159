/* zvdc.h - デバイスコンテキスト ZvDC, ZvPaintDC */
#ifndef ZVDC_H
#define ZVDC_H

#include "zvgdi.h"
#include "zvwnd.h"

class ZVAPI ZvDC
{
public:
    ZvDC() : m_hDC(0) {}

    HGDIOBJ SelectObject(const ZvGdiObject& obj) { return ::SelectObject(m_hDC, obj.GetHandle()); }
    BOOL TextOut(int x, int y, const char* pszText) { return ::TextOutA(m_hDC, x, y, pszText, lstrlenA(pszText)); }
    BOOL DrawIcon(int x, int y, HICON hIcon) { return ::DrawIcon(m_hDC, x, y, hIcon); }
    COLORREF SetTextColor(COLORREF cr) { return ::SetTextColor(m_hDC, cr); }
    int SetBkMode(int nMode) { return ::SetBkMode(m_hDC, nMode); }

    HDC m_hDC;
};

/* WM_PAINT の中で使います。BeginPaint と EndPaint を受け持ちます。 */
class ZVAPI ZvPaintDC : public ZvDC
{
public:
    explicit ZvPaintDC(ZvWnd* pWnd) : m_hWnd(pWnd->m_hWnd) { m_hDC = ::BeginPaint(m_hWnd, &m_ps); }
    ~ZvPaintDC() { ::EndPaint(m_hWnd, &m_ps); }

private:
    HWND m_hWnd;
    PAINTSTRUCT m_ps;
};

#endif /* ZVDC_H */
