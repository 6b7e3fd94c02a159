// Command entries as plain text: the expansion of "%s"/"%%" with the destination folder, the
// classification by byte 1, the split of a special command into its fields and of a launch
// command at its first "&", and the path of the desktop shortcut.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "setup/archive/format.h"

namespace archive {

// Limits of a command text; the expanded text must fit the 256-byte name buffer with its NUL.
constexpr std::size_t kMaxDestinationInserts = 3;
constexpr std::size_t kMaxExpandedLength = kMaxNameLength - 1;
constexpr std::size_t kCommandFieldCount = 5;
constexpr std::size_t kMaxFieldSeparators = kCommandFieldCount - 1;

// Byte 1 of a special command, and the letters (byte 2) that make it a shortcut command.
constexpr char kSpecialCommandMark = '+';
constexpr std::size_t kSpecialCommandSkip = 3;  // byte 0, "+" and the letter
constexpr char kFieldSeparator = '&';

// "\ﾃﾞｽｸﾄｯﾌﾟ\": the desktop folder of a Japanese Windows 95, directly under the Windows folder.
// Spelled as bytes so that no source encoding can change the eight half-width katakana.
constexpr char kDesktopFolderLiteral[] = "\\\xC3\xDE\xBD\xB8\xC4\xAF\xCC\xDF\\";
// A shortcut path must fit a MAX_PATH buffer with its NUL, in bytes and in UTF-16 units.
constexpr std::size_t kShortcutPathBufferSize = 260;

// Why a command text is not carried out. A refused text is left alone: nothing is launched and
// no shortcut is written.
enum class command_fault {
    none,
    bad_percent,        // "%" followed by anything but "s" or "%", or a lone "%" at the end
    too_many_inserts,   // more than three "%s"
    too_long,           // the expansion does not fit the name buffer
    too_many_fields,    // a special command with more than four "&" after its letter
    nothing_to_launch,  // a launch command whose program text is empty
};

enum class command_kind { launch, special };

struct expansion {
    command_fault fault = command_fault::none;
    std::size_t fault_offset = 0;  // byte offset of the offending "%" (bad_percent only)
    std::size_t inserts = 0;       // number of "%s" seen
    std::string text;              // the whole expansion, even when too_long
};

// Expands every "%s" to `destination` and "%%" to "%", byte by byte; the text is never handed to
// a printf-style formatter. `destination` is inserted as it is, so a "%" in it stays a "%".
expansion expand_command(std::string_view text, std::string_view destination);

// Byte 1 decides; byte 0 is never looked at. A text shorter than two bytes is a launch command.
command_kind classify_command(std::string_view expanded);

struct special_command {
    char letter = '\0';  // byte 2, or NUL for a text of two bytes
    std::array<std::string, kCommandFieldCount> fields;
};

// Splits the text after the first three bytes at "&" into up to five fields; the fields that the
// text does not supply stay empty. More than four "&" leaves `out` untouched and is refused.
command_fault split_special_command(std::string_view expanded, special_command& out);

// "S" or "s": the special command writes a desktop shortcut from fields 1 to 3.
bool is_shortcut_letter(char letter);

struct launch_command {
    std::string program;     // from byte 1 up to the first "&"
    std::string parameters;  // everything after the first "&", further "&" included; "" if none
};

// Splits a launch command at its first "&". An empty program text is refused: there is nothing
// to start, and the shell would open the working folder instead.
command_fault split_launch_command(std::string_view expanded, launch_command& out);

// A whole command as the installer carries it out: expansion, then classification and split.
struct parsed_command {
    command_fault fault = command_fault::none;
    command_kind kind = command_kind::launch;
    std::string expanded;
    special_command special;  // kind == special
    launch_command launch;    // kind == launch
};
parsed_command parse_command(std::string_view text, std::string_view destination);

// Windows folder + "\ﾃﾞｽｸﾄｯﾌﾟ\" + link file name, joined as they are (a root Windows folder such as
// "C:\" gives a doubled backslash). Empty when the path and its NUL do not fit 260 bytes.
std::optional<std::string> desktop_shortcut_path(std::string_view windows_folder,
                                                 std::string_view link_file_name);

}  // namespace archive
