// Carrying out a command entry: the text work is the archive core's; this side only launches
// through the shell or hands the fields to the shortcut writer.
#include "setup/shell/command_runner.h"

#include <windows.h>
#include <shellapi.h>

#include <cstring>

#include "setup/archive/command.h"
#include "setup/shell/shortcut.h"

void RunCommandEntry(char (&nameBuffer)[archive::kMaxNameLength], const std::string& destFolder) {
    // The walk hands over a NUL-terminated name; the bound only guards against a buffer without
    // one.
    const void* end = std::memchr(nameBuffer, '\0', archive::kMaxNameLength);
    const std::size_t length =
        end ? static_cast<const char*>(end) - nameBuffer : archive::kMaxNameLength;
    const archive::parsed_command command =
        archive::parse_command(std::string_view(nameBuffer, length), destFolder);
    // A text that breaks the archive's limits is not carried out and leaves the buffer as it was.
    if (command.fault != archive::command_fault::none) return;

    // The expansion always fits: the core refuses anything over 255 bytes.
    std::memcpy(nameBuffer, command.expanded.c_str(), command.expanded.size() + 1);

    if (command.kind == archive::command_kind::special) {
        const archive::special_command& special = command.special;
        if (archive::is_shortcut_letter(special.letter)) {
            CreateDesktopShortcut(special.fields[0], special.fields[1], special.fields[2]);
        }
        return;
    }

    // The program text ends at the first "&", cut in place; the parameter text is the rest, or ""
    // rather than no parameters at all.
    char* program = nameBuffer + 1;
    program[command.launch.program.size()] = '\0';
    // Neither the result nor the started program is waited for: it may outlive the installer.
    ShellExecuteA(nullptr, "open", program, command.launch.parameters.c_str(), destFolder.c_str(),
                  SW_SHOW);
}
