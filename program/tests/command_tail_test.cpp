// Tests of the command-tail extraction, the in-place split and the two Program Manager commands.
#include "command_tail.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

struct split_row {
    const char* label;
    const char* tail;
    const char* fields[kFieldCount];
};

// The fields, and the two commands they lead to, for one tail.
struct split_result {
    std::string fields[kFieldCount];
    std::string group_command;
    std::string item_command;
};

split_result split_and_build(const char* tail)
{
    char buffer[kTailBufferSize];
    char* fields[kFieldCount] = {nullptr, nullptr, nullptr, nullptr};
    EXPECT_EQ(1, CopyCommandTail(buffer, tail));
    SplitCommandTail(buffer, fields);

    split_result result;
    for (int i = 0; i < kFieldCount; ++i) result.fields[i] = fields[i];
    char group[kGroupCommandBufferSize] = "garbage";
    char item[kItemCommandBufferSize] = "garbage";
    EXPECT_EQ(1, BuildCreateGroupCommand(group, fields[kFieldGroup]));
    EXPECT_EQ(1, BuildAddItemCommand(item, fields[kFieldCommandLine], fields[kFieldItemName]));
    result.group_command = group;
    result.item_command = item;
    return result;
}

TEST(command_tail, split_into_four_fields)
{
    const split_row rows[] = {
        {"four fields", "G,F,N,L", {"G", "F", "N", "L"}},
        {"lone group", "G", {"G", "G", "G", "G"}},
        {"two fields", "G,F", {"G", "F", "G", "G"}},
        {"empty tail", "", {"", "", "", ""}},
        {"fifth field dropped", "G,F,N,L,E", {"G", "F", "N", "L"}},
        {"comma after a separator is data", "G,F,,L", {"G", "F", ",L", "G"}},
        {"trailing comma gives an empty field", "G,F,N,", {"G", "F", "N", ""}},
        {"blanks kept", "G , F, N,L  ", {"G ", " F", " N", "L  "}},
        {"quoted command line", "ZEVANO\x81\x7B\x81\x7B,C:\\P\\ZEVANO,ZEVANO\x81\x7B\x81\x7B,"
                                "\"C:\\P\\ZEVANO\\ZEVANO.EXE\"",
         {"ZEVANO\x81\x7B\x81\x7B", "C:\\P\\ZEVANO", "ZEVANO\x81\x7B\x81\x7B",
          "\"C:\\P\\ZEVANO\\ZEVANO.EXE\""}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        split_result result = split_and_build(row.tail);
        for (int i = 0; i < kFieldCount; ++i) EXPECT_EQ(row.fields[i], result.fields[i]) << "field " << i + 1;
    }
}

TEST(command_tail, commands_from_fields)
{
    EXPECT_EQ("[CreateGroup(G)]", split_and_build("G,F,N,L").group_command);
    EXPECT_EQ("[AddItem(L,N)]", split_and_build("G,F,N,L").item_command);
    EXPECT_EQ("[AddItem(G,G)]", split_and_build("G").item_command);
    EXPECT_EQ("[CreateGroup()]", split_and_build("").group_command);
    EXPECT_EQ("[AddItem(,)]", split_and_build("").item_command);
    EXPECT_EQ("[AddItem(G,,L)]", split_and_build("G,F,,L").item_command);
    EXPECT_EQ("[AddItem(,N)]", split_and_build("G,F,N,").item_command);
}

TEST(command_tail, tail_after_program_name)
{
    const struct {
        const char* label;
        const char* command_line;
        const char* tail;
    } rows[] = {
        {"plain name", "PROGRAM.EXE G,F", "G,F"},
        {"blanks and tabs skipped", "PROGRAM.EXE \t  G, F ", "G, F "},
        {"quoted name with blanks", "\"C:\\Program Files\\P.EXE\" G", "G"},
        // 表 is 0x95 0x5C and ソ is 0x83 0x5C; ー is 0x81 0x5B. A trail byte 0x22 cannot occur in
        // Shift-JIS, but a lead byte before the closing quote must not swallow it.
        {"quoted name with double-byte characters",
         "\"C:\\\x95\x5C\x8E\xA6\\\x83\x5C\x83\x74\x83\x67 \x81\x5B\\P.EXE\" G,F", "G,F"},
        {"no tail", "PROGRAM.EXE", ""},
        {"quoted name, no tail", "\"P.EXE\"", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        EXPECT_STREQ(row.tail, FindCommandTail(row.command_line));
    }
}

TEST(command_tail, overlong_input_is_refused_not_cut)
{
    char buffer[kTailBufferSize];
    std::string longest_tail(kTailBufferSize - 1, 'x');
    EXPECT_EQ(1, CopyCommandTail(buffer, longest_tail.c_str()));
    EXPECT_EQ(longest_tail, buffer);
    EXPECT_EQ(0, CopyCommandTail(buffer, (longest_tail + "y").c_str()));
    EXPECT_STREQ("", buffer);

    char group[kGroupCommandBufferSize] = "garbage";
    EXPECT_EQ(1, BuildCreateGroupCommand(group, std::string(63, 'g').c_str()));
    EXPECT_EQ("[CreateGroup(" + std::string(63, 'g') + ")]", group);
    strcpy(group, "garbage");
    EXPECT_EQ(0, BuildCreateGroupCommand(group, std::string(64, 'g').c_str()));
    EXPECT_STREQ("garbage", group);

    // Command line and item name together may take 243 bytes.
    char item[kItemCommandBufferSize] = "garbage";
    EXPECT_EQ(1, BuildAddItemCommand(item, std::string(200, 'c').c_str(), std::string(43, 'n').c_str()));
    EXPECT_EQ(255u, std::string(item).size());
    strcpy(item, "garbage");
    EXPECT_EQ(0, BuildAddItemCommand(item, std::string(200, 'c').c_str(), std::string(44, 'n').c_str()));
    EXPECT_STREQ("garbage", item);
}

}  // namespace
