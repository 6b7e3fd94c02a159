// The installer's application object.
#pragma once

#include "afx/afxwin.h"

// Runs the destination dialog modally and returns FALSE, so the program ends with the dialog.
class CSetupApp : public CWinApp {
public:
    BOOL InitInstance() override;
};
