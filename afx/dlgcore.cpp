// CDialog: modal dialogs on templates, message dispatch with the one place where errors thrown by
// handlers are reported, centring, and data exchange.
#include "afx/afxwin.h"

#include <new>

#include "setup/archive/file_error.h"

namespace {

// Shown when a handler runs out of memory; no allocation is needed to show it.
const char kOutOfMemory[] = "ﾒﾓﾘが不足しています。";

// The few messages whose result a dialog procedure returns directly instead of through
// DWLP_MSGRESULT.
bool ReturnsResultDirectly(UINT message) {
    return message == WM_INITDIALOG || message == WM_QUERYDRAGICON || message == WM_CHARTOITEM ||
           message == WM_VKEYTOITEM || message == WM_COMPAREITEM ||
           (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC);
}

}  // namespace

CDialog::CDialog(UINT nIDTemplate, HWND hWndParent)
    : m_nIDTemplate(nIDTemplate), m_hWndParent(hWndParent) {}

CDialog::~CDialog() {
    // A dialog that never got its window must not stay the main window either.
    CWinApp* app = AfxGetApp();
    if (app != NULL && app->m_pMainWnd == this) app->m_pMainWnd = NULL;
}

INT_PTR CDialog::DoModal() {
    // Without a parent of its own a dialog is owned by the main window, as in MFC; the main
    // dialog itself has no window yet at this point and so gets no owner.
    HWND owner = m_hWndParent;
    CWinApp* app = AfxGetApp();
    if (owner == NULL && app != NULL && app->m_pMainWnd != NULL && app->m_pMainWnd != this) {
        owner = app->m_pMainWnd->m_hWnd;
    }
    HINSTANCE instance = app != NULL ? app->m_hInstance : ::GetModuleHandleA(NULL);
    return ::DialogBoxParamA(instance, MAKEINTRESOURCEA(m_nIDTemplate), owner, DialogProc,
                             reinterpret_cast<LPARAM>(this));
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate) {
    CDataExchange dx(m_hWnd, bSaveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}

void CDialog::EndDialog(int nResult) { ::EndDialog(m_hWnd, nResult); }

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::DoDataExchange(CDataExchange* /*pDX*/) {}

BOOL CDialog::OnWndMsg(UINT message, WPARAM wParam, LPARAM /*lParam*/, LRESULT& lResult) {
    // Enter, Esc and the close box arrive here as IDOK and IDCANCEL from the dialog manager.
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        if (LOWORD(wParam) == IDOK) {
            OnOK();
            lResult = 0;
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            OnCancel();
            lResult = 0;
            return TRUE;
        }
    }
    return FALSE;
}

// Centres a dialog the way MFC does after WM_INITDIALOG: only one still hidden, not asking the
// system to centre it, and without an owner that could take input (a modal dialog's owner is
// already disabled). Over its owner when it has a visible one, else in the work area, and kept
// inside the work area. Our templates all sit at 0, 0, so no position is overridden.
void CDialog::CenterIfAutomatic() {
    const LONG style = ::GetWindowLongA(m_hWnd, GWL_STYLE);
    if (style & (WS_VISIBLE | WS_CHILD | DS_CENTER)) return;
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    if (owner != NULL && ::IsWindowEnabled(owner)) return;

    RECT work;
    if (!::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0)) {
        ::SetRect(&work, 0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    }
    RECT around = work;
    if (owner != NULL && ::IsWindowVisible(owner) && !::IsIconic(owner)) {
        ::GetWindowRect(owner, &around);
    }
    RECT dialog;
    ::GetWindowRect(m_hWnd, &dialog);
    const int width = dialog.right - dialog.left;
    const int height = dialog.bottom - dialog.top;

    int x = (around.left + around.right) / 2 - width / 2;
    int y = (around.top + around.bottom) / 2 - height / 2;
    if (x + width > work.right) x = work.right - width;
    if (x < work.left) x = work.left;
    if (y + height > work.bottom) y = work.bottom - height;
    if (y < work.top) y = work.top;
    ::SetWindowPos(m_hWnd, NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        ::SetWindowLongPtrA(hWnd, DWLP_USER, lParam);
        reinterpret_cast<CDialog*>(lParam)->m_hWnd = hWnd;
    }
    CDialog* dialog = reinterpret_cast<CDialog*>(::GetWindowLongPtrA(hWnd, DWLP_USER));
    // WM_SETFONT and the like come before WM_INITDIALOG, while no object is attached yet.
    if (dialog == NULL) return FALSE;

    INT_PTR result = dialog->Dispatch(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrA(hWnd, DWLP_USER, 0);
        dialog->m_hWnd = NULL;
        CWinApp* app = AfxGetApp();
        if (app != NULL && app->m_pMainWnd == dialog) app->m_pMainWnd = NULL;
    }
    return result;
}

// The one place where an error thrown by a handler is caught: a file error is shown with the stop
// icon, running out of memory with its own box, and either way the message counts as handled.
INT_PTR CDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    // A handler may run a nested modal loop (the version box), whose messages come through here.
    const BOOL bOuterDefault = m_bDefault;
    m_bDefault = FALSE;
    LRESULT lResult = 0;
    BOOL bHandled = FALSE;
    try {
        if (message == WM_INITDIALOG) {
            lResult = OnInitDialog();
            CenterIfAutomatic();
            bHandled = TRUE;
        } else {
            bHandled = OnWndMsg(message, wParam, lParam, lResult);
        }
    } catch (const archive::file_error& error) {
        AfxMessageBox(error.what(), MB_OK | MB_ICONSTOP);
        bHandled = TRUE;
        lResult = 0;
    } catch (const std::bad_alloc&) {
        AfxMessageBox(kOutOfMemory, MB_SYSTEMMODAL | MB_ICONEXCLAMATION);
        bHandled = TRUE;
        lResult = 0;
    }
    const BOOL bDefault = m_bDefault;
    m_bDefault = bOuterDefault;

    if (!bHandled || bDefault) return FALSE;
    if (ReturnsResultDirectly(message)) return static_cast<INT_PTR>(lResult);
    ::SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, lResult);
    return TRUE;
}

void DDX_Text(CDataExchange* pDX, int nIDC, std::string& value) {
    HWND control = ::GetDlgItem(pDX->m_hWndDlg, nIDC);
    if (!pDX->m_bSaveAndValidate) {
        ::SetWindowTextA(control, value.c_str());
        return;
    }
    value = AfxGetWindowText(control);
}

std::string AfxGetWindowText(HWND hWnd) {
    const int length = ::GetWindowTextLengthA(hWnd);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int got = ::GetWindowTextA(hWnd, &text[0], length + 1);
    text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return text;
}
