/* zvctrl.h - コントロールの基本クラス ZvControl */
#ifndef ZVCTRL_H
#define ZVCTRL_H

#include "zvwnd.h"

class ZVAPI ZvControl : public ZvWnd
{
public:
    /* ダイアログの上の既存のコントロールにつなぎます。 */
    BOOL Attach(HWND hDlg, UINT nId);
    UINT GetId() const { return (UINT)::GetDlgCtrlID(m_hWnd); }
    void Enable(BOOL bEnable = TRUE) { ::EnableWindow(m_hWnd, bEnable); }
    void SetFocus() { ::SetFocus(m_hWnd); }
};

#endif /* ZVCTRL_H */
