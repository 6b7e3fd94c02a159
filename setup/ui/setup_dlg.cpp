// The destination dialog: system menu and icon, painting while minimised, and the install handler
// that drives the archive core over the Win32 file access and the progress bar.
#include "setup/ui/setup_dlg.h"

#include <commctrl.h>

#include "afx/afx.h"
#include "setup/archive/destination.h"
#include "setup/archive/extract.h"
#include "setup/archive/format.h"
#include "setup/shell/command_runner.h"
#include "setup/shell/file_access.h"
#include "setup/ui/about_dlg.h"
#include "setup/ui/dialog_rules.h"

namespace {

// Room for the version menu text; the string table holds one short line.
constexpr int kMenuTextSize = 256;

// What the install tells the dialog: progress into the bar, command entries to the runner.
class CInstallProgress : public archive::install_hooks {
public:
    explicit CInstallProgress(HWND hWndProgress) : m_hWndProgress(hWndProgress) {}

    void progress_range_set() override {
        ::SendMessageA(m_hWndProgress, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
    }
    void progress(int position) override {
        ::SendMessageA(m_hWndProgress, PBM_SETPOS, static_cast<WPARAM>(position), 0);
    }
    void command(char (&nameBuffer)[archive::kMaxNameLength],
                 const std::string& destination) override {
        RunCommandEntry(nameBuffer, destination);
    }

private:
    HWND m_hWndProgress;
};

}  // namespace

CSetupDlg::CSetupDlg(HWND hWndParent)
    : CDialog(IDD, hWndParent),
      m_hAppIcon(::LoadIconA(AfxGetApp()->m_hInstance, MAKEINTRESOURCEA(IDI_SETUP))) {}

BEGIN_MESSAGE_MAP(CSetupDlg, CDialog)
ON_WM_SYSCOMMAND()
ON_WM_PAINT()
ON_WM_QUERYDRAGICON()
END_MESSAGE_MAP()

void CSetupDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_DEST_FOLDER, m_strDestFolder);
}

BOOL CSetupDlg::OnInitDialog() {
    CDialog::OnInitDialog();

    HMENU sysMenu = ::GetSystemMenu(m_hWnd, FALSE);
    char menuText[kMenuTextSize] = "";
    ::LoadStringA(AfxGetApp()->m_hInstance, IDS_VERSION_MENU, menuText, sizeof(menuText));
    if (sysMenu != NULL && menuText[0] != '\0') {
        ::AppendMenuA(sysMenu, MF_SEPARATOR, 0, NULL);
        ::AppendMenuA(sysMenu, MF_STRING, IDM_VERSION, menuText);
    }

    ::SendMessageA(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hAppIcon));
    ::SendMessageA(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hAppIcon));
    // The dialog manager then puts the focus on the first tab stop, the install button.
    return TRUE;
}

void CSetupDlg::OnSysCommand(UINT nID, LPARAM /*lParam*/) {
    if (IsVersionCommand(nID)) {
        CAboutDlg dlgAbout;
        dlgAbout.DoModal();
    } else {
        Default();
    }
}

void CSetupDlg::OnPaint() {
    if (!::IsIconic(m_hWnd)) {
        Default();
        return;
    }
    CPaintDC dc(this);
    ::SendMessageA(m_hWnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.m_hDC), 0);
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    const IconPoint at =
        MinimizedIconPosition(client.left, client.top, client.right, client.bottom,
                              ::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON));
    ::DrawIcon(dc.m_hDC, at.x, at.y, m_hAppIcon);
}

HCURSOR CSetupDlg::OnQueryDragIcon() { return static_cast<HCURSOR>(m_hAppIcon); }

void CSetupDlg::OnOK() {
    // Straight from the control: m_strDestFolder is only filled when the dialog ends.
    const std::string destFolder =
        archive::normalize_destination(AfxGetWindowText(GetDlgItem(IDC_DEST_FOLDER)));

    CFile carrier;
    carrier.Open(archive::kCarrierFileName, CFile::modeRead | CFile::shareDenyNone);
    CCarrierReader reader(carrier);
    CInstallWriter writer;
    CInstallProgress progress(GetDlgItem(IDC_PROGRESS));
    archive::install_archive(reader, writer, progress, destFolder);
    carrier.Close();

    CDialog::OnOK();
}
