// The destination dialog's plain rules (see dialog_rules.h).
#include "setup/ui/dialog_rules.h"

#include "setup/resources/resource.h"

namespace {

const char kProgramFilesSuffix[] = ":\\Program Files";

}  // namespace

std::string DefaultDestFolder(const char* windowsFolder) {
    std::string folder;
    if (windowsFolder != nullptr && windowsFolder[0] != '\0') folder += windowsFolder[0];
    folder += kProgramFilesSuffix;
    return folder;
}

bool IsVersionCommand(unsigned int commandId) { return (commandId & 0xFFF0u) == IDM_VERSION; }

IconPoint MinimizedIconPosition(int clientLeft, int clientTop, int clientRight, int clientBottom,
                                int iconWidth, int iconHeight) {
    return IconPoint{(clientRight - iconWidth - clientLeft + 1) / 2,
                     (clientBottom - iconHeight - clientTop + 1) / 2};
}
