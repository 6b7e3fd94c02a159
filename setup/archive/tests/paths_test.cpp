// Output-path composition and the folder-creation rule.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "setup/archive/paths.h"

namespace {

using folders = std::vector<std::string>;

TEST(folders_to_create, cuts_at_each_separator_byte_outermost_first) {
    struct row {
        const char* label;
        std::string path;
        folders expected;
    } rows[] = {
        {"destination and name levels",
         "C:\\Tools\\ZEVANO\\include\\api.h",
         {"C:\\Tools", "C:\\Tools\\ZEVANO", "C:\\Tools\\ZEVANO\\include"}},
        {"drive root never created", "C:\\api.h", {}},
        {"separator at index 0 skipped", "\\A\\b.txt", {"\\A"}},
        {"trail byte 0x5C cuts too",
         "C:\\\x95\x5C\x8E\xA6\\a.txt",
         {"C:\\\x95", "C:\\\x95\x5C\x8E\xA6"}},
        {"a name ending in a separator creates itself", "C:\\A\\", {"C:\\A"}},
        {"no separator", "a.txt", {}},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.label);
        EXPECT_EQ(r.expected, archive::folders_to_create(r.path));
    }
}

TEST(output_path, windows_folder_entries_drop_two_bytes) {
    struct row {
        const char* label;
        std::string name;
        bool windows_entry;
        std::string expected;
    } rows[] = {
        {"W and a backslash", "W\\x.dll", true, "C:\\WINDOWS\\x.dll"},
        {"W and a plain name loses its first letter", "Wxy.dll", true, "C:\\WINDOWS\\y.dll"},
        {"W and a lead byte drops only that byte", "W\x83\x5C.dll", true, "C:\\WINDOWS\\\x5C.dll"},
        {"lowercase w is ordinary", "wx.dll", false, "C:\\Tools\\wx.dll"},
        {"W later in the name is ordinary", "AW\\x.dll", false, "C:\\Tools\\AW\\x.dll"},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.label);
        ASSERT_EQ(r.windows_entry, archive::is_windows_folder_entry(r.name));
        EXPECT_EQ(r.expected, r.windows_entry
                                  ? archive::windows_folder_output_path("C:\\WINDOWS", r.name)
                                  : archive::destination_output_path("C:\\Tools\\", r.name));
    }
    EXPECT_FALSE(archive::is_windows_folder_entry(""));
    EXPECT_EQ("C:\\WINDOWS\\", archive::windows_folder_output_path("C:\\WINDOWS", "W"));
}

TEST(output_path, joins_a_destination_ending_in_so_directly) {
    EXPECT_EQ(
        "C:\\\x83\x5C"
        "a.txt",
        archive::destination_output_path("C:\\\x83\x5C", "a.txt"));
}

TEST(output_path, must_leave_room_for_the_nul_in_256_bytes) {
    EXPECT_TRUE(archive::fits_path_buffer(std::string(255, 'a')));
    EXPECT_FALSE(archive::fits_path_buffer(std::string(256, 'a')));
}

}  // namespace
