// The application and dialog half of our small stand-in for MFC: only what a dialog-based
// installer needs, spelt with MFC's names so the application code reads as MFC code.
//
// In this file:
//   CWinApp          the one application object, its title, and InitInstance
//   CDataExchange    direction of a dialog data exchange
//   CDialog          a modal dialog on a template, with virtual OnInitDialog/OnOK/OnCancel
//   CPaintDC         BeginPaint/EndPaint for a dialog's WM_PAINT
//   DDX_Text         text exchange between an edit control and a std::string
//   AfxGetApp, AfxMessageBox, AfxGetWindowText
//   BEGIN_MESSAGE_MAP, ON_WM_SYSCOMMAND, ON_WM_PAINT, ON_WM_QUERYDRAGICON, END_MESSAGE_MAP
#pragma once

#include <windows.h>

#include <string>

class CDialog;

// There is exactly one, constructed statically by the application; the framework's WinMain finds
// it through AfxGetApp. A dialog application does all its work inside InitInstance.
class CWinApp {
public:
    explicit CWinApp(const char* lpszAppName = NULL);
    virtual ~CWinApp();

    virtual BOOL InitInstance();

    // Windows 95 and NT 4.0 draw 3-D controls themselves; older systems need CTL3D32.
    BOOL Enable3dControlsStatic();

    HINSTANCE m_hInstance = NULL;
    // The executable's file name without folder and extension; every message box's caption.
    std::string m_strAppName;
    // Message boxes are owned by it; cleared when its window is destroyed.
    CDialog* m_pMainWnd = NULL;
};

CWinApp* AfxGetApp();

// Shows text captioned with the application title and owned by the main window. An MB_OK box that
// names no icon gets the exclamation icon. helpId is accepted for MFC's signature only.
int AfxMessageBox(const char* text, unsigned int type = 0, unsigned int helpId = 0);

class CDataExchange {
public:
    CDataExchange(HWND hWndDlg, BOOL bSaveAndValidate)
        : m_hWndDlg(hWndDlg), m_bSaveAndValidate(bSaveAndValidate) {}

    HWND m_hWndDlg;
    // TRUE: controls into members; FALSE: members into controls.
    BOOL m_bSaveAndValidate;
};

void DDX_Text(CDataExchange* pDX, int nIDC, std::string& value);

// A window's whole text, however long (an edit control has no length limit set).
std::string AfxGetWindowText(HWND hWnd);

// A modal dialog run by the system's dialog manager. Messages reach the derived class through its
// message map (a chain of ifs); IDOK and IDCANCEL reach the virtual OnOK and OnCancel. A file
// error or an out-of-memory error thrown by a handler is shown here and the message counts as
// handled, so the dialog stays up.
class CDialog {
public:
    explicit CDialog(UINT nIDTemplate, HWND hWndParent = NULL);
    virtual ~CDialog();

    // IDOK, IDCANCEL or whatever EndDialog was given; -1 when the dialog could not be created.
    INT_PTR DoModal();
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    void EndDialog(int nResult);
    HWND GetDlgItem(int nID) const { return ::GetDlgItem(m_hWnd, nID); }

    HWND m_hWnd = NULL;

protected:
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange* pDX);

    // The message map: TRUE when the message was handled, with its result in lResult.
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& lResult);

    // Leaves the message being handled to the dialog manager's own processing, which runs once
    // the handler has returned.
    void Default() { m_bDefault = TRUE; }

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    void CenterIfAutomatic();

    UINT m_nIDTemplate;
    HWND m_hWndParent;
    BOOL m_bDefault = FALSE;
};

class CPaintDC {
public:
    explicit CPaintDC(CDialog* pWnd) : m_hWnd(pWnd->m_hWnd) { m_hDC = ::BeginPaint(m_hWnd, &m_ps); }
    ~CPaintDC() { ::EndPaint(m_hWnd, &m_ps); }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    HDC m_hDC;

private:
    HWND m_hWnd;
    PAINTSTRUCT m_ps;
};

// Message maps. A class puts DECLARE_MESSAGE_MAP() in its declaration and one BEGIN/END block in
// its source; what the block does not handle goes to the base class's map.
#define DECLARE_MESSAGE_MAP() \
protected:                    \
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& lResult) override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                              \
    BOOL theClass::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& lResult) { \
        typedef baseClass TheBaseClass;

#define ON_WM_SYSCOMMAND()                                  \
    if (message == WM_SYSCOMMAND) {                         \
        OnSysCommand(static_cast<UINT>(wParam), lParam);    \
        lResult = 0;                                        \
        return TRUE;                                        \
    }

#define ON_WM_PAINT()          \
    if (message == WM_PAINT) { \
        OnPaint();             \
        lResult = 0;           \
        return TRUE;           \
    }

#define ON_WM_QUERYDRAGICON()                                        \
    if (message == WM_QUERYDRAGICON) {                               \
        lResult = reinterpret_cast<LRESULT>(OnQueryDragIcon());      \
        return TRUE;                                                 \
    }

#define END_MESSAGE_MAP()                                              \
    return TheBaseClass::OnWndMsg(message, wParam, lParam, lResult); \
    }
