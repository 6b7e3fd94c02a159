// The installer's application object: the destination dialog with its default folder.
#include "setup/ui/setup_app.h"

#include <commctrl.h>

#include "setup/ui/dialog_rules.h"
#include "setup/ui/setup_dlg.h"

CSetupApp theApp;

BOOL CSetupApp::InitInstance() {
    Enable3dControlsStatic();
    // The dialog's progress bar is a common control; its window class must exist first.
    ::InitCommonControls();

    CSetupDlg dlg;
    m_pMainWnd = &dlg;

    char windowsFolder[kWindowsFolderPrefixSize] = "";
    ::GetWindowsDirectoryA(windowsFolder, sizeof(windowsFolder));
    dlg.m_strDestFolder = DefaultDestFolder(windowsFolder);

    dlg.DoModal();
    return FALSE;
}
