// The version box, opened from the destination dialog's system menu.
#pragma once

#include "afx/afxwin.h"
#include "setup/resources/resource.h"

// Runs on CDialog alone: nothing to exchange, and OK, Esc and the close box end it.
class CAboutDlg : public CDialog {
public:
    enum { IDD = IDD_VERSION };

    CAboutDlg() : CDialog(IDD) {}
};
