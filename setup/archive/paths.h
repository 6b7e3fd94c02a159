// Where a file entry lands, and which folders are created for it on the way.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace archive {

// True for a name whose first byte is the uppercase "W": it goes to the Windows folder.
bool is_windows_folder_entry(std::string_view name);

// Windows folder, "\", then the name without its first two bytes (whatever they are).
std::string windows_folder_output_path(std::string_view windows_folder, std::string_view name);

// The destination folder (ending in a backslash) followed by the name.
std::string destination_output_path(std::string_view destination, std::string_view name);

// The folders to create, outermost first: the path cut at each 0x5C byte that is not at index 0
// and does not follow ":". The test is on bytes, so a Shift-JIS trail byte 0x5C cuts too.
std::vector<std::string> folders_to_create(std::string_view path);

// An output path must fit the 256-byte path buffer with its NUL.
bool fits_path_buffer(std::string_view path);

}  // namespace archive
