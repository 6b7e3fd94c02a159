// The destination dialog: where to install, the install button and its progress bar.
#pragma once

#include <string>

#include "afx/afxwin.h"
#include "setup/resources/resource.h"

class CSetupDlg : public CDialog {
public:
    enum { IDD = IDD_DESTINATION };

    explicit CSetupDlg(HWND hWndParent = NULL);

    // Exchanged with IDC_DEST_FOLDER; start-up puts the default folder here.
    std::string m_strDestFolder;

protected:
    // Shared resource icon, never destroyed by us.
    HICON m_hAppIcon;

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // The whole installation, synchronously; a file error leaves the dialog up.
    void OnOK() override;

    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    DECLARE_MESSAGE_MAP()
};
