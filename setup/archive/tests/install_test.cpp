// The install over recording fakes: folder order, chunked copy with progress, command entries,
// Windows-folder entries, the end of the walk, and every archive fault that stops the install.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "setup/archive/extract.h"
#include "setup/archive/file_error.h"
#include "setup/archive/tests/fakes.h"

namespace {

using archive::cause;
using archive_test::command_entry;
using archive_test::fake_carrier;
using archive_test::file_entry;
using archive_test::marker;
using archive_test::patterned;
using archive_test::raw_entry;
using archive_test::recorder;
using lines = std::vector<std::string>;

const std::string kDest = "C:\\Tools\\";

TEST(install, creates_every_folder_level_outermost_first_then_the_file) {
    // A long prefix keeps the progress of this small archive at 0.
    fake_carrier carrier(std::string(100000, '\0') + marker() +
                         file_entry("ZEVANO\\include\\api.h", "#pragma once\n"));
    recorder rec;
    archive::install_archive(carrier, rec, rec, kDest);

    const lines expected = {"range",
                            "progress 0",
                            "folder C:\\Tools",
                            "folder C:\\Tools\\ZEVANO",
                            "folder C:\\Tools\\ZEVANO\\include",
                            "create C:\\Tools\\ZEVANO\\include\\api.h",
                            "progress 0",
                            "write 13",
                            "close",
                            "progress 100"};
    EXPECT_EQ(expected, rec.log);
    EXPECT_EQ("#pragma once\n", rec.files["C:\\Tools\\ZEVANO\\include\\api.h"]);
}

TEST(install, copies_in_chunks_with_progress_after_each_read_before_each_write) {
    // Archive start 1000; a 25,000-byte file makes the carrier 26,014 bytes, a hundredth 260.
    const std::string content = patterned(25000);
    recorder rec;
    fake_carrier carrier(std::string(950, '\0') + marker() + file_entry("a.bin", content),
                         &rec.log);
    archive::install_archive(carrier, rec, rec, kDest);

    const lines expected = {"read 10000 got 10000",  // the marker search, done in one chunk
                            "range",
                            "seek 1000",
                            "read 8 got 8",
                            "read 6 got 6",
                            "progress 0",
                            "folder C:\\Tools",
                            "create C:\\Tools\\a.bin",
                            "read 10000 got 10000",
                            "progress 38",
                            "write 10000",
                            "read 10000 got 10000",
                            "progress 76",
                            "write 10000",
                            "read 5000 got 5000",
                            "progress 96",
                            "write 5000",
                            "close",
                            "progress 100"};
    EXPECT_EQ(expected, rec.log);
    EXPECT_TRUE(rec.files["C:\\Tools\\a.bin"] == content) << "content differs";
}

TEST(install, shipped_sized_carrier_runs_progress_from_0_to_83_then_100) {
    // Prefix 169,984 bytes, carrier 1,045,398 bytes: divisor 10,453.
    const std::string prefix(169984, '\0');
    const std::string tail = command_entry(">+S%sZEVANO\\ZEVANO.exe") + command_entry(">run");
    const std::size_t fixed = prefix.size() + 50 + 8 + sizeof("ZEVANO\\big.bin") + tail.size();
    const std::string content = patterned(1045398 - fixed);
    fake_carrier carrier(prefix + marker() + file_entry("ZEVANO\\big.bin", content) + tail);
    ASSERT_EQ(1045398, carrier.length());
    recorder rec;
    archive::install_archive(carrier, rec, rec, kDest);

    ASSERT_GE(rec.progress_values.size(), 3u);
    EXPECT_EQ(0, rec.progress_values.front());
    EXPECT_EQ(100, rec.progress_values.back());
    const std::vector<int> walk(rec.progress_values.begin(), rec.progress_values.end() - 1);
    EXPECT_EQ(83, *std::max_element(walk.begin(), walk.end()));
    EXPECT_TRUE(std::is_sorted(walk.begin(), walk.end()));
}

TEST(install, hands_each_command_to_the_runner_when_reached) {
    fake_carrier carrier(marker() + file_entry("A\\one.txt", "1") +
                         command_entry(">+S%sA\\one.txt") + file_entry("two.txt", "22") +
                         command_entry(">A\\one.txt&x"));
    recorder rec;
    archive::install_archive(carrier, rec, rec, kDest);

    lines acts;
    std::copy_if(rec.log.begin(), rec.log.end(), std::back_inserter(acts),
                 [](const std::string& l) {
                     return l.rfind("create", 0) == 0 || l.rfind("command", 0) == 0 || l == "close";
                 });
    const lines expected = {
        "create C:\\Tools\\A\\one.txt", "close", "command >+S%sA\\one.txt | C:\\Tools\\",
        "create C:\\Tools\\two.txt",    "close", "command >A\\one.txt&x | C:\\Tools\\"};
    EXPECT_EQ(expected, acts);
    EXPECT_EQ("22", rec.files["C:\\Tools\\two.txt"]);
}

TEST(install, puts_windows_folder_entries_into_the_windows_folder_without_folders) {
    struct row {
        const char* label;
        std::string name;
        lines expected;
    } rows[] = {
        {"W and a backslash", "W\\x.dll", {"create C:\\WINDOWS\\x.dll"}},
        {"W and a plain name", "Wx.dll", {"create C:\\WINDOWS\\.dll"}},
        {"W with a subfolder", "W\\sys\\x.dll", {"create C:\\WINDOWS\\sys\\x.dll"}},
        {"lowercase w", "wx.dll", {"folder C:\\Tools", "create C:\\Tools\\wx.dll"}},
        {"hyo in a name cuts at its trail byte",
         "\x95\x5C\x8E\xA6\\a.txt",
         {"folder C:\\Tools", "folder C:\\Tools\\\x95", "folder C:\\Tools\\\x95\x5C\x8E\xA6",
          "create C:\\Tools\\\x95\x5C\x8E\xA6\\a.txt"}},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.label);
        fake_carrier carrier(marker() + file_entry(r.name, "data"));
        recorder rec;
        archive::install_archive(carrier, rec, rec, kDest);
        lines placed;
        std::copy_if(rec.log.begin(), rec.log.end(), std::back_inserter(placed),
                     [](const std::string& l) {
                         return l.rfind("folder", 0) == 0 || l.rfind("create", 0) == 0;
                     });
        EXPECT_EQ(r.expected, placed);
    }
}

TEST(install, joins_names_to_a_destination_ending_in_so) {
    fake_carrier carrier(marker() + file_entry("a.txt", "x"));
    recorder rec;
    archive::install_archive(carrier, rec, rec, "D:\\\x83\x5C");
    EXPECT_EQ(1u, rec.files.count("D:\\\x83\x5C"
                                  "a.txt"));
}

TEST(install, ends_the_walk_with_at_most_one_stray_byte_unread) {
    const std::string archive = marker() + file_entry("a.txt", "abc") + command_entry(">go");
    for (const std::string& tail : {std::string(), std::string("\xEE")}) {
        SCOPED_TRACE(tail.size());
        recorder rec;
        fake_carrier carrier(archive + tail, &rec.log);
        archive::install_archive(carrier, rec, rec, kDest);
        EXPECT_EQ("abc", rec.files["C:\\Tools\\a.txt"]);
        // Nothing is sought or read once the last entry has been handled.
        ASSERT_GE(rec.log.size(), 2u);
        EXPECT_EQ("command >go | C:\\Tools\\", rec.log[rec.log.size() - 2]);
        EXPECT_EQ("progress 100", rec.log.back());
    }
}

TEST(install, tiny_carrier_does_not_divide_by_zero) {
    // 50 + 8 + 3 = 61 bytes; a hundredth of that rounds to 0.
    fake_carrier carrier(marker() + command_entry(">a"));
    recorder rec;
    archive::install_archive(carrier, rec, rec, kDest);
    const lines expected = {"range", "progress 11", "command >a | C:\\Tools\\", "progress 100"};
    EXPECT_EQ(expected, rec.log);
}

TEST(install, stops_at_an_archive_fault_with_a_file_error) {
    const std::string good = file_entry("good.txt", "ok");
    // A long prefix keeps every progress value of these small archives at 0.
    const std::string m = std::string(100000, '\0') + marker();
    const lines good_done = {
        "range",   "progress 0", "folder C:\\Tools", "create C:\\Tools\\good.txt", "progress 0",
        "write 2", "close"};
    lines good_done_then_bad = good_done;
    good_done_then_bad.push_back("progress 0");
    const std::string long_name(256 - kDest.size(), 'n');  // with the destination: 256 bytes
    struct row {
        const char* label;
        std::string carrier;
        cause expected_cause;
        std::string expected_name;
        lines expected_log;
    } rows[] = {
        {"no marker", std::string(100000, '\x07'), cause::invalid_file, "install.exe", {}},
        {"marker ends the carrier", m, cause::end_of_file, "install.exe", {"range"}},
        {"marker and one byte", m + "y", cause::end_of_file, "install.exe", {"range"}},
        {"name length 0", m + good + raw_entry(5, 0, "", "abcde"), cause::invalid_file,
         "install.exe", good_done},
        {"name length 257", m + good + raw_entry(1, 257, std::string(256, 'a') + '\0', "z"),
         cause::invalid_file, "install.exe", good_done},
        {"name without its NUL", m + good + raw_entry(1, 5, "a.txt", "z"), cause::invalid_file,
         "install.exe", good_done},
        {"negative data size", m + good + raw_entry(-1, 6, std::string("a.txt", 6)),
         cause::invalid_file, "install.exe", good_done},
        {"carrier ends inside a header", m + good + std::string("\x05\x00\x00\x00\x06", 5),
         cause::end_of_file, "install.exe", good_done},
        {"carrier ends inside a name", m + good + raw_entry(1, 6, "a.t"), cause::end_of_file,
         "install.exe", good_done},
        {"carrier ends inside the content",
         m + good + raw_entry(9, 6, std::string("a.txt", 6), "abc"), cause::end_of_file,
         "install.exe", good_done},
        {"output path of 256 bytes", m + good + file_entry(long_name, "z"), cause::bad_path,
         kDest + long_name, good_done_then_bad},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.label);
        fake_carrier carrier(r.carrier);
        recorder rec;
        try {
            archive::install_archive(carrier, rec, rec, kDest);
            ADD_FAILURE() << "no file error";
        } catch (const archive::file_error& error) {
            EXPECT_EQ(r.expected_cause, error.error_cause());
            EXPECT_EQ(r.expected_name, error.file_name());
        }
        EXPECT_EQ(r.expected_log, rec.log);
        EXPECT_LE(carrier.furthest, r.carrier.size());
    }
}

TEST(install, output_path_of_255_bytes_is_written) {
    const std::string name(255 - kDest.size(), 'n');
    fake_carrier carrier(marker() + file_entry(name, "z"));
    recorder rec;
    archive::install_archive(carrier, rec, rec, kDest);
    EXPECT_EQ("z", rec.files[kDest + name]);
}

TEST(install, carrier_shrinking_under_the_copy_is_end_of_file) {
    // The length promises the whole content, but the reads run dry after the first chunk.
    const std::string head = marker() + raw_entry(25000, 6, std::string("a.bin", 6));
    fake_carrier carrier(head + patterned(10000));
    carrier.claim_length(static_cast<std::int32_t>(head.size() + 25000));
    recorder rec;
    try {
        archive::install_archive(carrier, rec, rec, kDest);
        ADD_FAILURE() << "no file error";
    } catch (const archive::file_error& error) {
        EXPECT_EQ(cause::end_of_file, error.error_cause());
        EXPECT_EQ("install.exe", error.file_name());
    }
    EXPECT_EQ("write 10000", rec.log.back());
    const std::vector<std::pair<std::uint32_t, std::uint32_t>> expected = {
        {10000, 10000}, {8, 8}, {6, 6}, {10000, 10000}, {10000, 0}};
    EXPECT_EQ(expected, carrier.reads);
}

}  // namespace
