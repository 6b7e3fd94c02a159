// The file-error texts as the user sees them (code page 932 bytes) and the Win32 error mapping.
#include <gtest/gtest.h>

#include <string>

#include "setup/archive/file_error.h"

namespace {

using archive::cause;

TEST(file_error_message, texts_are_shift_jis_with_the_name_put_in) {
    struct row {
        const char* label;
        cause reason;
        std::string file_name;
        std::string expected;
    } rows[] = {
        {"no error, nothing to put in", cause::none, "install.exe",
         "\xB4\xD7\xB0\x82\xCD\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81\x42"},
        {"file not found names the carrier", cause::file_not_found, "install.exe",
         "install.exe "
         "\x82\xAA\x8C\xA9\x82\xC2\x82\xA9\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81\x42"},
        {"end of file without a name shows the untitled file", cause::end_of_file, "",
         "\x96\xB3\x91\xE8\x82\xCC\xCC\xA7\xB2\xD9 "
         "\x82\xCC\x96\x96\x94\xF6\x88\xC8\x8D\x7E\x82\xC9\xB1\xB8\xBE\xBD\x82\xB5\x82\xE6\x82\xA4"
         "\x82\xC6\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81\x42"},
        {"bad path keeps a Shift-JIS name as it is", cause::bad_path, "C:\\\x95\x5C.txt",
         "C:\\\x95\x5C.txt \x82\xCD\x96\xB3\x8C\xF8\x82\xC8\xCA\xDF\xBD\x82\xC5\x82\xB7\x81\x42"},
        {"the current-directory text is English", cause::remove_current_dir, "C:\\A",
         "C:\\A could not be removed because it is the current directory."},
        {"a name holding %1 is not expanded again", cause::file_not_found, "%1",
         "%1 \x82\xAA\x8C\xA9\x82\xC2\x82\xA9\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81\x42"},
        {"an unknown cause gets the generic text", static_cast<cause>(99), "a",
         archive::file_error_message(cause::generic, "a")},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.label);
        EXPECT_EQ(r.expected, archive::file_error_message(r.reason, r.file_name));
    }
}

TEST(file_error_message, every_cause_has_its_own_text_naming_the_file) {
    std::string seen[15];
    for (int i = 0; i <= 14; ++i) {
        SCOPED_TRACE(i);
        seen[i] = archive::file_error_message(static_cast<cause>(i), "ZZFILE");
        EXPECT_EQ(i != 0, seen[i].find("ZZFILE") != std::string::npos);
        for (int j = 0; j < i; ++j) EXPECT_NE(seen[j], seen[i]) << "same text as cause " << j;
    }
}

TEST(file_error, carries_cause_os_error_name_and_message) {
    const archive::file_error error(cause::disk_full, "C:\\Tools\\a.txt", 112);
    EXPECT_EQ(cause::disk_full, error.error_cause());
    EXPECT_EQ(112, error.os_error());
    EXPECT_EQ("C:\\Tools\\a.txt", error.file_name());
    EXPECT_EQ(archive::file_error_message(cause::disk_full, "C:\\Tools\\a.txt"), error.what());

    const archive::file_error unnamed(cause::bad_seek);
    EXPECT_EQ(archive::file_error::kNoOsError, unnamed.os_error());
    EXPECT_EQ("", unnamed.file_name());
}

TEST(cause_from_os_error, maps_win32_numbers_by_condition) {
    struct row {
        unsigned long win32_error;
        cause expected;
    } rows[] = {
        {0, cause::none},
        {2, cause::file_not_found},
        {6, cause::file_not_found},
        {3, cause::bad_path},
        {15, cause::bad_path},
        {123, cause::bad_path},
        {4, cause::too_many_open_files},
        {5, cause::access_denied},
        {19, cause::access_denied},
        {29, cause::access_denied},
        {11, cause::invalid_file},
        {16, cause::remove_current_dir},
        {82, cause::directory_full},
        {25, cause::bad_seek},
        {27, cause::bad_seek},
        {21, cause::hard_io},
        {31, cause::hard_io},
        {32, cause::sharing_violation},
        {33, cause::lock_violation},
        {112, cause::disk_full},
        {39, cause::disk_full},
        {38, cause::end_of_file},
        {1, cause::generic},
        {87, cause::generic},
        {0xFFFFFFFFul, cause::generic},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.win32_error);
        EXPECT_EQ(r.expected, archive::cause_from_os_error(r.win32_error));
    }
}

}  // namespace
