// Normalising the destination folder text: Shift-JIS aware trimming and the trailing backslash.
#include "setup/archive/destination.h"

#include <cstddef>

#include "setup/archive/format.h"

namespace archive {

namespace {


bool is_single_byte_space(unsigned char byte) {
    return byte == ' ' || (byte >= '\t' && byte <= '\r');
}

}  // namespace

std::string normalize_destination(std::string_view text) {
    // Walk by characters so a trail byte is never mistaken for white space, and remember where
    // the last character that is not white space ends.
    std::size_t begin = 0;
    while (begin < text.size() && is_single_byte_space(static_cast<unsigned char>(text[begin]))) {
        ++begin;
    }
    std::size_t end = begin;
    for (std::size_t i = begin; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const std::size_t width = (is_lead_byte(byte) && i + 1 < text.size()) ? 2 : 1;
        if (width == 2 || !is_single_byte_space(byte)) end = i + width;
        i += width;
    }

    std::string folder(text.substr(begin, end - begin));
    // A byte test on purpose: a double-byte character ending in 0x5C already ends the folder.
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    return folder;
}

}  // namespace archive
