// The desktop shortcut writer. The desktop folder is the fixed Japanese Windows 95 one under the
// Windows folder, neither looked up through the shell nor created.
#include "setup/shell/shortcut.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <optional>

#include "afx/afxwin.h"
#include "setup/archive/command.h"
#include "setup/shell/file_access.h"

namespace {

constexpr int kWidePathBufferSize = static_cast<int>(archive::kShortcutPathBufferSize);

// A Shift-JIS path of at most 259 bytes can still need more UTF-16 units than a byte each only in
// theory, but the wide buffer must never be overrun: count first, convert only what fits.
bool FitsWideBuffer(const std::string& path) {
    const int units = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
    return units > 0 && units <= kWidePathBufferSize;
}

}  // namespace

void CreateDesktopShortcut(std::string targetPath, std::string linkFileName,
                           std::string description) {
    // COM stays initialised for the rest of the process; a second call only learns that it
    // already is, which is as good as success.
    CoInitialize(nullptr);

    std::optional<std::string> shortcutPath;
    if (std::optional<std::string> windowsFolder = ReadWindowsFolder()) {
        shortcutPath = archive::desktop_shortcut_path(*windowsFolder, linkFileName);
    }

    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link)))) {
        return;
    }
    IPersistFile* file = nullptr;
    if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        link->Release();
        return;
    }

    if (FAILED(link->SetPath(targetPath.c_str()))) AfxMessageBox("SetPath Failed");
    if (FAILED(link->SetDescription(description.c_str()))) AfxMessageBox("SetDescription Failed");

    // A path that does not fit the buffers is reported like any other failed save.
    bool saved = false;
    if (shortcutPath && FitsWideBuffer(*shortcutPath)) {
        WCHAR widePath[kWidePathBufferSize];
        MultiByteToWideChar(CP_ACP, 0, shortcutPath->c_str(), -1, widePath, kWidePathBufferSize);
        saved = SUCCEEDED(file->Save(widePath, TRUE));
    }
    if (!saved) AfxMessageBox("Save Failed");

    file->Release();
    link->Release();
}
