// What an entry may hold so that the installer handles it as meant: the checks that pack makes
// before it writes an entry and that verify makes on every entry it reads. All text is code page
// 932, as stored in the archive; an empty result means the entry is fine.
#pragma once

#include <string>

namespace carrier {

// The destination the tool assumes when it checks lengths, unless told a longer one.
constexpr char kDefaultLongestDestination[] = "C:\\Program Files\\";

// A file entry's name. `windows_folder` says the entry is meant for the Windows folder; then the
// name must begin with "W\". `destination` is the longest destination folder, ending in "\".
std::string check_file_name(const std::string& name, bool windows_folder,
                            const std::string& destination);

// A command entry's text, expanded against `destination` for the length check.
std::string check_command_text(const std::string& text, const std::string& destination);

}  // namespace carrier
