// Command entries as plain text. "%", "&" and "+" are tested on single bytes: none of them can be
// the trail byte of a Shift-JIS character, so a byte test never cuts a character in two.
#include "setup/archive/command.h"

namespace archive {

expansion expand_command(std::string_view text, std::string_view destination) {
    expansion result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            result.text += text[i];
            continue;
        }
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        if (next == 's') {
            ++result.inserts;
            result.text += destination;
        } else if (next == '%') {
            result.text += '%';
        } else {
            result.fault = command_fault::bad_percent;
            result.fault_offset = i;
            return result;
        }
        ++i;
    }
    if (result.inserts > kMaxDestinationInserts) {
        result.fault = command_fault::too_many_inserts;
    } else if (result.text.size() > kMaxExpandedLength) {
        result.fault = command_fault::too_long;
    }
    return result;
}

command_kind classify_command(std::string_view expanded) {
    return expanded.size() > 1 && expanded[1] == kSpecialCommandMark ? command_kind::special
                                                                     : command_kind::launch;
}

command_fault split_special_command(std::string_view expanded, special_command& out) {
    std::string_view rest =
        expanded.size() > kSpecialCommandSkip ? expanded.substr(kSpecialCommandSkip) : "";
    special_command split;
    split.letter = expanded.size() > 2 ? expanded[2] : '\0';
    std::size_t field = 0;
    for (std::size_t at = rest.find(kFieldSeparator); at != std::string_view::npos;
         at = rest.find(kFieldSeparator)) {
        if (field == kMaxFieldSeparators) return command_fault::too_many_fields;
        split.fields[field++] = std::string(rest.substr(0, at));
        rest.remove_prefix(at + 1);
    }
    split.fields[field] = std::string(rest);
    out = std::move(split);
    return command_fault::none;
}

bool is_shortcut_letter(char letter) { return letter == 'S' || letter == 's'; }

command_fault split_launch_command(std::string_view expanded, launch_command& out) {
    const std::string_view body = expanded.size() > 1 ? expanded.substr(1) : "";
    const std::size_t at = body.find(kFieldSeparator);
    const std::string_view program = body.substr(0, at);
    if (program.empty()) return command_fault::nothing_to_launch;
    out.program = std::string(program);
    out.parameters =
        at == std::string_view::npos ? std::string() : std::string(body.substr(at + 1));
    return command_fault::none;
}

parsed_command parse_command(std::string_view text, std::string_view destination) {
    parsed_command result;
    expansion expanded = expand_command(text, destination);
    result.fault = expanded.fault;
    if (result.fault != command_fault::none) return result;
    result.expanded = std::move(expanded.text);
    result.kind = classify_command(result.expanded);
    result.fault = result.kind == command_kind::special
                       ? split_special_command(result.expanded, result.special)
                       : split_launch_command(result.expanded, result.launch);
    return result;
}

std::optional<std::string> desktop_shortcut_path(std::string_view windows_folder,
                                                 std::string_view link_file_name) {
    std::string path(windows_folder);
    path += kDesktopFolderLiteral;
    path += link_file_name;
    if (path.size() + 1 > kShortcutPathBufferSize) return std::nullopt;
    return path;
}

}  // namespace archive
