// Conversion between the UTF-8 that people write and read and the code page 932 (Shift-JIS)
// bytes that the installer handles, through iconv.
#pragma once

#include <string>

namespace carrier {

// Converts UTF-8 to code page 932. False when the input is not UTF-8 or holds a character that
// code page 932 cannot express; `out` is then left as it was.
bool utf8_to_cp932(const std::string& in, std::string& out);

// Code page 932 to UTF-8, under the same terms.
bool cp932_to_utf8(const std::string& in, std::string& out);

// Code page 932 bytes as UTF-8 for display; a byte that does not form a character is shown as
// \xNN, so a damaged name still prints as something that can be compared and reported.
std::string cp932_for_display(const std::string& in);

}  // namespace carrier
