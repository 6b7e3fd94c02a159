/* zvcombo.h - コンボボックス ZvComboBox */
#ifndef ZVCOMBO_H
#define ZVCOMBO_H

#include "zvctrl.h"

class ZVAPI ZvComboBox : public ZvControl
{
public:
    int AddString(const char* pszText) { return (int)SendMessage(CB_ADDSTRING, 0, (LPARAM)pszText); }
    int GetCount() { return (int)SendMessage(CB_GETCOUNT); }
    int GetCurSel() { return (int)SendMessage(CB_GETCURSEL); }
    void SetCurSel(int nIndex) { SendMessage(CB_SETCURSEL, (WPARAM)nIndex); }
    void ResetContent() { SendMessage(CB_RESETCONTENT); }
};

#endif /* ZVCOMBO_H */
