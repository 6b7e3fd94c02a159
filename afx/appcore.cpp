// CWinApp and the program's entry point: error mode, instance, application title, InitInstance;
// and the application message box.
#include "afx/afxwin.h"

#include <cstdlib>

// The static C++ runtime's own handler for an uncaught exception prints the demangled type name
// to a console this program does not have, and brings 46 KB of demangler along for it.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

namespace {

CWinApp* g_pApp = NULL;

// Older systems than version 4 draw flat controls unless CTL3D32 subclasses the dialogs. It is
// loaded by name so that the program imports nothing from it and starts where it is missing.
typedef BOOL(WINAPI* Ctl3dInstanceProc)(HINSTANCE);
typedef void (*AnyProc)();

Ctl3dInstanceProc Ctl3dEntry(HMODULE ctl3d, const char* name) {
    // Through a generic function type: GetProcAddress's own type says nothing of the parameters.
    return reinterpret_cast<Ctl3dInstanceProc>(
        reinterpret_cast<AnyProc>(::GetProcAddress(ctl3d, name)));
}

BOOL RegisterCtl3d(HINSTANCE instance) {
    HMODULE ctl3d = ::LoadLibraryA("CTL3D32.DLL");
    if (ctl3d == NULL) return FALSE;
    Ctl3dInstanceProc registerProc = Ctl3dEntry(ctl3d, "Ctl3dRegister");
    Ctl3dInstanceProc autoSubclass = Ctl3dEntry(ctl3d, "Ctl3dAutoSubclass");
    if (registerProc == NULL || autoSubclass == NULL || !registerProc(instance)) return FALSE;
    return autoSubclass(instance);
}

// The executable's file name without folder and extension: SETUP for C:\SETUP\SETUP.EXE. The
// scan goes by characters, since a Shift-JIS trail byte may be 0x5C or 0x2E.
std::string TitleFromModulePath(const char* path) {
    const char* name = path;
    const char* dot = NULL;
    for (const char* p = path; *p != '\0'; p = ::CharNextA(p)) {
        if (*p == '\\' || *p == '/' || *p == ':') {
            name = p + 1;
            dot = NULL;
        } else if (*p == '.') {
            dot = p;
        }
    }
    return dot != NULL ? std::string(name, dot) : std::string(name);
}

}  // namespace

CWinApp::CWinApp(const char* lpszAppName) {
    if (lpszAppName != NULL) m_strAppName = lpszAppName;
    g_pApp = this;
}

CWinApp::~CWinApp() {
    if (g_pApp == this) g_pApp = NULL;
}

BOOL CWinApp::InitInstance() { return FALSE; }

BOOL CWinApp::Enable3dControlsStatic() {
    if (LOBYTE(LOWORD(::GetVersion())) >= 4) return TRUE;
    return RegisterCtl3d(m_hInstance);
}

CWinApp* AfxGetApp() { return g_pApp; }

int AfxMessageBox(const char* text, unsigned int type, unsigned int /*helpId*/) {
    if ((type & MB_ICONMASK) == 0 && (type & MB_TYPEMASK) == MB_OK) type |= MB_ICONEXCLAMATION;
    CWinApp* app = AfxGetApp();
    HWND owner = NULL;
    const char* caption = NULL;
    if (app != NULL) {
        if (app->m_pMainWnd != NULL) owner = app->m_pMainWnd->m_hWnd;
        caption = app->m_strAppName.c_str();
    }
    return ::MessageBoxA(owner, text, caption, type);
}

// A dialog application needs no message loop of its own: its dialog runs modally inside
// InitInstance, and the program ends when InitInstance returns.
int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE /*hPrevInstance*/, LPSTR /*lpCmdLine*/,
                   int /*nCmdShow*/) {
    // Turn the system's own boxes for a missing disk or a drive that is not ready into ordinary
    // file errors. Windows 95 has no GetErrorMode, hence the detour through SetErrorMode(0).
    const UINT mode = ::SetErrorMode(0);
    ::SetErrorMode(mode | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);

    CWinApp* app = AfxGetApp();
    if (app == NULL) return 1;
    app->m_hInstance = hInstance;
    if (app->m_strAppName.empty()) {
        char path[MAX_PATH] = "";
        ::GetModuleFileNameA(hInstance, path, sizeof(path));
        path[sizeof(path) - 1] = '\0';  // a cut-off name is not terminated on every system
        app->m_strAppName = TitleFromModulePath(path);
    }
    app->InitInstance();
    return 0;
}
