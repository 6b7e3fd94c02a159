// The destination dialog's plain rules: default folder, version command, minimised icon.
#include "setup/ui/dialog_rules.h"

#include <gtest/gtest.h>

namespace {

TEST(default_dest_folder, first_character_of_windows_folder_then_program_files) {
    struct row {
        const char* windows_folder;
        const char* expected;
    } rows[] = {
        {"C:\\WINDOWS", "C:\\Program Files"},
        {"d:\\win95", "d:\\Program Files"},  // the drive letter keeps its case
        {"E:\\", "E:\\Program Files"},
        // A Shift-JIS folder name after the drive changes nothing: only the first byte is used.
        {"F:\\\x83\x5C\x83\x74\x83\x67", "F:\\Program Files"},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.windows_folder);
        EXPECT_EQ(r.expected, DefaultDestFolder(r.windows_folder));
    }
}

TEST(default_dest_folder, empty_windows_folder_adds_no_nul) {
    const std::string folder = DefaultDestFolder("");
    EXPECT_EQ(":\\Program Files", folder);
    EXPECT_EQ(std::string::npos, folder.find('\0'));
}

TEST(is_version_command, low_four_bits_are_ignored) {
    struct row {
        unsigned int command_id;
        bool expected;
    } rows[] = {
        {0x0010, true},   {0x0011, true},   {0x001F, true},  {0x000F, false},
        {0x0020, false},  {0x0000, false},  {0xF060, false},  // SC_CLOSE
        {0xF010, false},  // SC_MOVE: its low twelve bits are 0x010, yet it is the system's
        {0xF020, false},  {0x1010, false},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.command_id);
        EXPECT_EQ(r.expected, IsVersionCommand(r.command_id));
    }
}

TEST(minimized_icon_position, centred_with_truncating_division) {
    struct row {
        int right, bottom;
        int expected_x, expected_y;
    } rows[] = {
        {36, 36, 2, 2},
        {33, 33, 1, 1},
        {30, 30, 0, 0},  // -1 / 2 truncates to 0
        {36, 33, 2, 1},
        {27, 27, -2, -2},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.right << "x" << r.bottom);
        const IconPoint at = MinimizedIconPosition(0, 0, r.right, r.bottom, 32, 32);
        EXPECT_EQ(r.expected_x, at.x);
        EXPECT_EQ(r.expected_y, at.y);
    }
}

TEST(minimized_icon_position, client_origin_is_subtracted) {
    const IconPoint at = MinimizedIconPosition(4, 10, 40, 46, 32, 32);
    EXPECT_EQ(2, at.x);
    EXPECT_EQ(2, at.y);
}

}  // namespace
