// The destination folder as the installer uses it: trimmed and ending in a backslash byte.
#pragma once

#include <string>
#include <string_view>

namespace archive {

// Trims single-byte white space (space, \t \n \v \f \r) from both ends, stepping over Shift-JIS
// double-byte characters whole, and appends "\" unless the last byte already is 0x5C (so a
// trailing ソ, 0x83 0x5C, gets none). An empty result becomes "\".
std::string normalize_destination(std::string_view text);

}  // namespace archive
