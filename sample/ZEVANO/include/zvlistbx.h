/* zvlistbx.h - リストボックス ZvListBox */
#ifndef ZVLISTBX_H
#define ZVLISTBX_H

#include "zvctrl.h"

class ZVAPI ZvListBox : public ZvControl
{
public:
    int AddString(const char* pszText) { return (int)SendMessage(LB_ADDSTRING, 0, (LPARAM)pszText); }
    int GetCount() { return (int)SendMessage(LB_GETCOUNT); }
    int GetCurSel() { return (int)SendMessage(LB_GETCURSEL); }
    void SetCurSel(int nIndex) { SendMessage(LB_SETCURSEL, (WPARAM)nIndex); }
    void ResetContent() { SendMessage(LB_RESETCONTENT); }
    ZvString GetText(int nIndex);
};

#endif /* ZVLISTBX_H */
