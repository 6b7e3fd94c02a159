// Entry checks. Names are walked by Shift-JIS characters wherever a separator matters, because a
// trail byte 0x5C (as in ソ, 0x83 0x5C) is no folder boundary for Windows; the % and & tests are
// byte tests, as the installer makes them, and neither byte can be a trail byte.
#include "tools/carrier/rules.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "setup/archive/command.h"
#include "setup/archive/format.h"
#include "setup/archive/paths.h"

namespace carrier {

namespace {

// Longest text that fits a 256-byte buffer of the installer with its NUL.
constexpr std::size_t kMaxTextBytes = archive::kMaxNameLength - 1;
constexpr std::size_t kMaxPathBytes = archive::kPathBufferSize - 1;

std::string number(std::size_t value) { return std::to_string(value); }

// Splits a relative name into its folder levels at real backslashes, or explains why it is not
// a plain relative name.
std::string check_relative_path(const std::string& name) {
    if (name.empty()) return "the name is empty";
    if (name[0] == '\\') return "the name is absolute (it begins with \\)";
    if (name.size() >= 2 && name[1] == ':') return "the name has a drive letter";
    std::vector<std::string> levels(1);
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto byte = static_cast<unsigned char>(name[i]);
        if (archive::is_lead_byte(byte)) {
            if (i + 1 == name.size()) return "the name ends in half a double-byte character";
            levels.back() += name.substr(i, 2);
            ++i;
            continue;
        }
        if (byte == '\\') {
            levels.emplace_back();
            continue;
        }
        if (byte == ':') return "the name contains \":\"";
        if (byte == '/') return "the name contains \"/\"; folder levels are separated by \\";
        if (byte < 0x20 || std::strchr("<>\"|?*", byte) != nullptr) {
            char message[80];
            if (byte < 0x20) {
                std::snprintf(message, sizeof message, "the name contains the control byte 0x%02X",
                              byte);
            } else {
                std::snprintf(message, sizeof message,
                              "the name contains \"%c\", which Windows does not "
                              "allow in names",
                              byte);
            }
            return message;
        }
        levels.back() += name[i];
    }
    for (std::size_t i = 0; i < levels.size(); ++i) {
        if (levels[i] == "..") return "the name contains \"..\"";
        if (levels[i] == ".") return "the name contains \".\" as a folder level";
        if (levels[i].empty()) {
            return i + 1 == levels.size() ? "the name ends in \\"
                                          : "the name has an empty folder level (\\\\)";
        }
    }
    return {};
}

}  // namespace

std::string check_file_name(const std::string& name, bool windows_folder,
                            const std::string& destination) {
    if (name.size() > kMaxTextBytes) {
        return "the name is " + number(name.size()) + " bytes in code page 932 (at most " +
               number(kMaxTextBytes) + ")";
    }
    const bool leads_to_windows = archive::is_windows_folder_entry(name);
    if (!windows_folder) {
        if (leads_to_windows) {
            return "the name begins with \"W\", which sends the file into the Windows folder; mark "
                   "the "
                   "entry windows-file or choose another first letter";
        }
        if (std::string reason = check_relative_path(name); !reason.empty()) return reason;
        const std::string path = archive::destination_output_path(destination, name);
        if (!archive::fits_path_buffer(path)) {
            return "the destination \"" + destination + "\" and the name make " +
                   number(path.size()) + " bytes (at most " + number(kMaxPathBytes) + ")";
        }
        return {};
    }
    // The installer drops "W" and the byte after it; anything but a backslash there would eat the
    // first letter of the file name.
    if (!leads_to_windows || name.size() < archive::kWindowsEntrySkip || name[1] != '\\') {
        return "a Windows-folder name must begin with \"W\\\"";
    }
    return check_relative_path(name.substr(archive::kWindowsEntrySkip));
}

std::string check_command_text(const std::string& text, const std::string& destination) {
    if (text.size() > kMaxTextBytes) {
        return "the command is " + number(text.size()) + " bytes in code page 932 (at most " +
               number(kMaxTextBytes) + ")";
    }
    // The first byte is never read, so a command needs at least one byte after it.
    if (text.size() < 2) return "the command has nothing after its first byte";
    if (text.find('\0') != std::string::npos) {
        return "the command contains a NUL byte, which would end it early";
    }

    // The installer's own rules decide; this only words their verdict.
    const archive::expansion expanded = archive::expand_command(text, destination);
    switch (expanded.fault) {
        case archive::command_fault::none:
            break;
        case archive::command_fault::bad_percent:
            if (expanded.fault_offset + 1 == text.size()) return "the command ends in a lone \"%\"";
            return std::string("the command contains \"%") + text[expanded.fault_offset + 1] +
                   "\"; only %s (the destination) and %% (a percent sign) may follow \"%\"";
        case archive::command_fault::too_many_inserts:
            return "the command contains %s " + number(expanded.inserts) + " times (at most " +
                   number(archive::kMaxDestinationInserts) + ")";
        case archive::command_fault::too_long:
        default:  // the expansion reports no other fault
            return "with the destination \"" + destination + "\" the command expands to " +
                   number(expanded.text.size()) + " bytes (at most " + number(kMaxTextBytes) + ")";
    }
    if (archive::classify_command(expanded.text) == archive::command_kind::special) {
        if (expanded.text.size() < 3) return "the special command has no command letter";
        archive::special_command special;
        if (archive::split_special_command(expanded.text, special) !=
            archive::command_fault::none) {
            const std::string rest = expanded.text.substr(archive::kSpecialCommandSkip);
            const auto separators = static_cast<std::size_t>(
                std::count(rest.begin(), rest.end(), archive::kFieldSeparator));
            return "the special command has " + number(separators) +
                   " \"&\" after its letter (at most " + number(archive::kMaxFieldSeparators) + ")";
        }
        return {};
    }
    archive::launch_command launch;
    if (archive::split_launch_command(expanded.text, launch) != archive::command_fault::none) {
        return "the command names no program before its first \"&\"";
    }
    return {};
}

}  // namespace carrier
