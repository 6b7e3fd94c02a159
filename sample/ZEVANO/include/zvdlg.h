/* zvdlg.h - ダイアログ ZvDialog */
#ifndef ZVDLG_H
#define ZVDLG_H

#include "zvwnd.h"

class ZVAPI ZvDialog : public ZvWnd
{
public:
    explicit ZvDialog(UINT nTemplateId, ZvWnd* pParent = 0);

    int DoModal();
    void EndDialog(int nResult) { ::EndDialog(m_hWnd, nResult); }

    /* テキストとメンバーの受け渡し */
    void GetItemText(UINT nId, ZvString& strText) const;
    void SetItemText(UINT nId, const char* pszText);

protected:
    virtual BOOL OnInitDialog() { return TRUE; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }

private:
    UINT m_nTemplateId;
    ZvWnd* m_pParent;
};

#endif /* ZVDLG_H */
