// Command entries: expansion, classification, the two splits and the desktop shortcut path.
#include <gtest/gtest.h>

#include <string>

#include "setup/archive/command.h"

namespace {

using archive::command_fault;
using archive::command_kind;

// "＋" (full-width plus) in code page 932.
#define ZENKAKU_PLUS "\x81\x7B"
// "\ﾃﾞｽｸﾄｯﾌﾟ\" in code page 932.
#define DESKTOP "\\\xC3\xDE\xBD\xB8\xC4\xAF\xCC\xDF\\"

TEST(expand_command, replaces_each_insert_with_the_whole_destination) {
    struct row {
        const char* label;
        std::string text;
        std::string destination;
        std::string expected;
    } rows[] = {
        {"two inserts", ">%sa&%sb", "D:\\Apps\\", ">D:\\Apps\\a&D:\\Apps\\b"},
        {"three inserts", "%s%s%s", "C:\\", "C:\\C:\\C:\\"},
        {"percent sign", ">x%%y", "C:\\", ">x%y"},
        {"percent sign then s is no insert", ">%%s", "C:\\", ">%s"},
        {"byte 0 takes part", "%s", "D:\\Apps\\", "D:\\Apps\\"},
        {"a percent in the destination stays as it is", ">%s", "C:\\100%s\\", ">C:\\100%s\\"},
        {"trail byte 0x5C next to an insert", ">\x83\x5C%s", "C:\\\x95\x5C\\",
         ">\x83\x5C"
         "C:\\\x95\x5C\\"},
        {"nothing to expand", ">a.exe", "C:\\", ">a.exe"},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.label);
        const archive::expansion result = archive::expand_command(r.text, r.destination);
        EXPECT_EQ(command_fault::none, result.fault);
        EXPECT_EQ(r.expected, result.text);
    }
}

TEST(expand_command, refuses_texts_that_break_the_limits) {
    struct row {
        const char* label;
        std::string text;
        command_fault expected;
    } rows[] = {
        {"%d", ">%d", command_fault::bad_percent},
        {"uppercase %S", ">%S", command_fault::bad_percent},
        {"lone % at the end", ">a%", command_fault::bad_percent},
        {"% before a lead byte", ">%\x83\x5C", command_fault::bad_percent},
        {"four inserts", ">%s%s%s%s", command_fault::too_many_inserts},
        {"expands to 256 bytes", ">%s" + std::string(255 - 10, 'a'), command_fault::too_long},
        {"text of 256 bytes", std::string(256, 'a'), command_fault::too_long},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.label);
        EXPECT_EQ(r.expected, archive::expand_command(r.text, "D:\\Apps10\\").fault);
    }
    // The fault points at the offending "%", for the carrier tool's report.
    EXPECT_EQ(4u, archive::expand_command(">%sa%x", "C:\\").fault_offset);
    // 255 bytes is the longest that fits the name buffer with its NUL.
    const std::string longest = ">%s" + std::string(255 - 11, 'a');
    const archive::expansion fits = archive::expand_command(longest, "D:\\Apps10\\");
    EXPECT_EQ(command_fault::none, fits.fault);
    EXPECT_EQ(255u, fits.text.size());
}

TEST(classify_command, byte_1_decides_and_byte_0_is_never_looked_at) {
    struct row {
        const char* label;
        std::string text;
        command_kind expected;
    } rows[] = {
        {"> then +", ">+S", command_kind::special},
        {"# then +", "#+S", command_kind::special},
        {"+ then +", "++x", command_kind::special},
        {"+ at byte 0 only", "+a.exe", command_kind::launch},
        {"+ at byte 2 only", ">a+", command_kind::launch},
        {"one byte", ">", command_kind::launch},
        {"empty", "", command_kind::launch},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.label);
        EXPECT_EQ(r.expected, archive::classify_command(r.text));
    }
}

TEST(split_special_command, fills_up_to_five_fields_after_three_bytes) {
    struct row {
        const char* label;
        std::string text;
        char letter;
        std::array<std::string, 5> fields;
    } rows[] = {
        {"no &: the rest is field 1", ">+SC:\\a.exe", 'S', {"C:\\a.exe", "", "", "", ""}},
        {"two &", ">+sC:\\a.exe&A.LNK&A", 's', {"C:\\a.exe", "A.LNK", "A", "", ""}},
        {"five fields", ">+S1&2&3&4&5", 'S', {"1", "2", "3", "4", "5"}},
        {"empty fields", ">+S&&", 'S', {"", "", "", "", ""}},
        {"only two bytes", ">+", '\0', {"", "", "", "", ""}},
        {"only three bytes", ">+x", 'x', {"", "", "", "", ""}},
        {"& in the first three bytes is no separator", "&+&a", '&', {"a", "", "", "", ""}},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.label);
        archive::special_command out;
        out.letter = '?';
        out.fields.fill("poison");
        ASSERT_EQ(command_fault::none, archive::split_special_command(r.text, out));
        EXPECT_EQ(r.letter, out.letter);
        EXPECT_EQ(r.fields, out.fields);
    }
}

TEST(split_special_command, refuses_a_fifth_separator_and_leaves_the_fields_alone) {
    archive::special_command out;
    out.letter = '?';
    out.fields.fill("poison");
    EXPECT_EQ(command_fault::too_many_fields,
              archive::split_special_command(">+S1&2&3&4&5&6", out));
    EXPECT_EQ('?', out.letter);
    EXPECT_EQ("poison", out.fields[0]);
    EXPECT_EQ("poison", out.fields[4]);
}

TEST(is_shortcut_letter, only_upper_and_lower_s) {
    EXPECT_TRUE(archive::is_shortcut_letter('S'));
    EXPECT_TRUE(archive::is_shortcut_letter('s'));
    EXPECT_FALSE(archive::is_shortcut_letter('x'));
    EXPECT_FALSE(archive::is_shortcut_letter('\0'));
    EXPECT_FALSE(archive::is_shortcut_letter('\x83'));
}

TEST(split_launch_command, cuts_at_the_first_ampersand_only) {
    struct row {
        const char* label;
        std::string text;
        std::string program;
        std::string parameters;
    } rows[] = {
        {"no &: empty parameter text", ">C:\\a.exe", "C:\\a.exe", ""},
        {"second & kept", ">a.exe&x&y", "a.exe", "x&y"},
        {"& at the end", ">a.exe&", "a.exe", ""},
        {"byte 0 dropped whatever it is", "#a.exe&x", "a.exe", "x"},
        {"Shift-JIS program name", ">\x83\x5C\x83\x74\x83\x67.exe&\x81\x7B",
         "\x83\x5C\x83\x74\x83\x67.exe", "\x81\x7B"},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.label);
        archive::launch_command out{"poison", "poison"};
        ASSERT_EQ(command_fault::none, archive::split_launch_command(r.text, out));
        EXPECT_EQ(r.program, out.program);
        EXPECT_EQ(r.parameters, out.parameters);
    }
}

TEST(split_launch_command, refuses_an_empty_program_text) {
    for (const char* text : {">", "", ">&a.exe"}) {
        SCOPED_TRACE(text);
        archive::launch_command out{"poison", "poison"};
        EXPECT_EQ(command_fault::nothing_to_launch, archive::split_launch_command(text, out));
        EXPECT_EQ("poison", out.program);
    }
}

TEST(parse_command, shipped_commands_with_the_default_destination) {
    const std::string shortcut = ">+S%sZEVANO\\ZEVANO.exe&ZEVANO" ZENKAKU_PLUS ZENKAKU_PLUS
                                 ".LNK&ZEVANO" ZENKAKU_PLUS ZENKAKU_PLUS;
    const std::string launch =
        ">ZEVANO\\PROGRAM.EXE&ZEVANO" ZENKAKU_PLUS ZENKAKU_PLUS
        ",%sZEVANO,ZEVANO" ZENKAKU_PLUS ZENKAKU_PLUS ",\"%sZEVANO\\ZEVANO.EXE\"";
    // Name lengths of the shipped entries, NUL included.
    ASSERT_EQ(49u, shortcut.size() + 1);
    ASSERT_EQ(73u, launch.size() + 1);

    const archive::parsed_command s = archive::parse_command(shortcut, "C:\\Program Files\\");
    ASSERT_EQ(command_fault::none, s.fault);
    EXPECT_EQ(command_kind::special, s.kind);
    EXPECT_EQ('S', s.special.letter);
    EXPECT_EQ("C:\\Program Files\\ZEVANO\\ZEVANO.exe", s.special.fields[0]);
    EXPECT_EQ("ZEVANO\x81\x7B\x81\x7B.LNK", s.special.fields[1]);
    EXPECT_EQ("ZEVANO\x81\x7B\x81\x7B", s.special.fields[2]);
    EXPECT_EQ("", s.special.fields[3]);

    const archive::parsed_command l = archive::parse_command(launch, "C:\\Program Files\\");
    ASSERT_EQ(command_fault::none, l.fault);
    EXPECT_EQ(command_kind::launch, l.kind);
    EXPECT_EQ(
        ">ZEVANO\\PROGRAM.EXE&ZEVANO\x81\x7B\x81\x7B,C:\\Program Files\\ZEVANO,"
        "ZEVANO\x81\x7B\x81\x7B,\"C:\\Program Files\\ZEVANO\\ZEVANO.EXE\"",
        l.expanded);
    EXPECT_EQ("ZEVANO\\PROGRAM.EXE", l.launch.program);
    EXPECT_EQ(
        "ZEVANO\x81\x7B\x81\x7B,C:\\Program Files\\ZEVANO,ZEVANO\x81\x7B\x81\x7B,"
        "\"C:\\Program Files\\ZEVANO\\ZEVANO.EXE\"",
        l.launch.parameters);
}

TEST(parse_command, passes_on_each_refusal) {
    struct row {
        const char* label;
        std::string text;
        command_fault expected;
    } rows[] = {
        {"bad percent", ">+S%d", command_fault::bad_percent},
        {"four inserts", ">%s%s%s%s", command_fault::too_many_inserts},
        {"too long", ">" + std::string(250, 'a') + "%s", command_fault::too_long},
        {"five & in a special command", ">+x&&&&&", command_fault::too_many_fields},
        {"an & from the destination counts", ">+S%s&&&&", command_fault::too_many_fields},
        {"nothing to launch", ">&x", command_fault::nothing_to_launch},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.label);
        EXPECT_EQ(r.expected, archive::parse_command(r.text, "C:\\A&B\\").fault);
    }
}

TEST(desktop_shortcut_path, joins_without_normalisation) {
    struct row {
        const char* label;
        std::string windows_folder;
        std::string link_name;
        std::string expected;
    } rows[] = {
        {"C:\\WINDOWS and A.LNK", "C:\\WINDOWS", "A.LNK", "C:\\WINDOWS" DESKTOP "A.LNK"},
        {"root Windows folder doubles the backslash", "C:\\", "A.LNK",
         "C:\\\\\xC3\xDE\xBD\xB8\xC4\xAF\xCC\xDF\\A.LNK"},
        {"empty link name leaves the folder itself", "C:\\WINDOWS", "", "C:\\WINDOWS" DESKTOP},
        {"Shift-JIS link name kept byte for byte", "C:\\WINDOWS", "ZEVANO\x81\x7B\x81\x7B.LNK",
         "C:\\WINDOWS" DESKTOP "ZEVANO\x81\x7B\x81\x7B.LNK"},
        {"dots and separators in the link name kept", "C:\\WINDOWS", "..\\x\\\\y.lnk",
         "C:\\WINDOWS" DESKTOP "..\\x\\\\y.lnk"},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.label);
        EXPECT_EQ(std::optional<std::string>(r.expected),
                  archive::desktop_shortcut_path(r.windows_folder, r.link_name));
    }
}

TEST(desktop_shortcut_path, is_the_ten_bytes_of_the_japanese_desktop_folder) {
    const std::string literal = archive::kDesktopFolderLiteral;
    EXPECT_EQ(std::string("\x5C\xC3\xDE\xBD\xB8\xC4\xAF\xCC\xDF\x5C"), literal);
    // The build turns the source's UTF-8 half-width katakana into the same code page 932 bytes.
    EXPECT_EQ(std::string("\\ﾃﾞｽｸﾄｯﾌﾟ\\"), literal);
}

TEST(desktop_shortcut_path, must_leave_room_for_the_nul_in_260_bytes) {
    // "C:\WINDOWS" and the desktop folder take 20 bytes.
    EXPECT_EQ(259u, archive::desktop_shortcut_path("C:\\WINDOWS", std::string(239, 'a'))->size());
    EXPECT_EQ(std::nullopt, archive::desktop_shortcut_path("C:\\WINDOWS", std::string(240, 'a')));
    EXPECT_EQ(std::nullopt, archive::desktop_shortcut_path(std::string(259, 'w'), ""));
}

}  // namespace
