/* zvedit.h - エディット ZvEdit */
#ifndef ZVEDIT_H
#define ZVEDIT_H

#include "zvctrl.h"

class ZVAPI ZvEdit : public ZvControl
{
public:
    void SetLimitText(UINT nMax) { SendMessage(EM_LIMITTEXT, nMax); }
    void SetSel(int nStart, int nEnd) { SendMessage(EM_SETSEL, (WPARAM)nStart, (LPARAM)nEnd); }
    void ReplaceSel(const char* pszText) { SendMessage(EM_REPLACESEL, 0, (LPARAM)pszText); }
    /* 前後の半角の空白を除いた中身。全角の空白は残ります。 */
    ZvString GetTrimmedText() const;
};

#endif /* ZVEDIT_H */
