// Normalising the destination folder text: trimming and the trailing backslash byte.
#include <gtest/gtest.h>

#include <string>

#include "setup/archive/destination.h"

namespace {

TEST(normalize_destination, trims_and_ends_in_a_backslash_byte) {
    struct row {
        const char* label;
        std::string text;
        std::string expected;
    } rows[] = {
        {"backslash appended", "C:\\Tools", "C:\\Tools\\"},
        {"trailing backslash kept", "C:\\Tools\\", "C:\\Tools\\"},
        {"blanks and tabs around removed", " \t C:\\Tools \t", "C:\\Tools\\"},
        {"every single-byte space removed", "\r\n\v\fC:\\Tools\f\v\n\r", "C:\\Tools\\"},
        {"inner blanks stay", "  C:\\Program Files ", "C:\\Program Files\\"},
        {"empty becomes the root", "", "\\"},
        {"blanks only become the root", " \t\t ", "\\"},
        {"trailing so counts as a backslash", "C:\\\x83\x5C", "C:\\\x83\x5C"},
        {"trailing so after trimming", "C:\\\x83\x5C  ", "C:\\\x83\x5C"},
        {"full-width spaces are not trimmed",
         "\x81\x40"
         "C:\\A\x81\x40",
         "\x81\x40"
         "C:\\A\x81\x40\\"},
        {"hyo in the middle", "C:\\\x95\x5C\\x", "C:\\\x95\x5C\\x\\"},
        {"a lone lead byte at the end is kept", "C:\\A\x83", "C:\\A\x83\\"},
        {"a lead byte takes the blank after it along", "C:\\A\x83 ", "C:\\A\x83 \\"},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.label);
        EXPECT_EQ(r.expected, archive::normalize_destination(r.text));
    }
}

}  // namespace
