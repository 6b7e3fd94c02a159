/* zvtimer.h - タイマー ZvTimer */
#ifndef ZVTIMER_H
#define ZVTIMER_H

#include "zvwnd.h"

/* ウィンドウに WM_TIMER を送るタイマー。壊すと止まります。 */
class ZVAPI ZvTimer
{
public:
    ZvTimer(ZvWnd* pWnd, UINT nId, UINT nElapse)
        : m_hWnd(pWnd->m_hWnd), m_nId(::SetTimer(pWnd->m_hWnd, nId, nElapse, 0)) {}
    ~ZvTimer() { if (m_nId) ::KillTimer(m_hWnd, m_nId); }
    ZvBool IsRunning() const { return m_nId != 0; }

private:
    HWND m_hWnd;
    UINT_PTR m_nId;
    ZV_NO_COPY(ZvTimer);
};

#endif /* ZVTIMER_H */
