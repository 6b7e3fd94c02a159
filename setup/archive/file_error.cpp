// The file-error table: one message per cause, and which Win32 errors fall under which cause.
// The texts are the ones setup.exe shows in its stop-icon box, so the tool reports the same.
#include "setup/archive/file_error.h"

#include <cstddef>
#include <utility>

namespace archive {

// The messages must reach the user as code-page-932 bytes (ｴ is one byte there, three in UTF-8).
static_assert(sizeof("ｴ") == 2, "compile with -finput-charset=UTF-8 -fexec-charset=CP932");

namespace {

constexpr const char* kMessages[] = {
    "ｴﾗｰはありません。",
    "%1 へのｱｸｾｽ中に予期しないｴﾗｰが発生しました。",
    "%1 が見つかりません。",
    "%1 は無効なﾊﾟｽです。",
    "開いているﾌｧｲﾙが多すぎるため %1 を開けませんでした。",
    "%1 へのｱｸｾｽは拒否されました。",
    "%1 へ無効なﾌｧｲﾙ ﾊﾝﾄﾞﾙが関連付けられています。",
    "%1 could not be removed because it is the current directory.",
    "ﾃﾞｨﾚｸﾄﾘの空き容量が不足しているため %1 を作成できません。",
    "%1 のｼｰｸに失敗しました",
    "%1 へのｱｸｾｽ中にﾊｰﾄﾞｳｪｱ I/O ｴﾗｰが報告されました。",
    "%1 へのｱｸｾｽ中に共有違反が発生しました。",
    "%1 へのｱｸｾｽ中にﾛｯｷﾝｸﾞ違反が発生しました。",
    "%1 へのｱｸｾｽ中にﾃﾞｨｽｸの空き容量が不足しました。",
    "%1 の末尾以降にｱｸｾｽしようとしました。",
};
constexpr std::size_t kMessageCount = sizeof(kMessages) / sizeof(kMessages[0]);
static_assert(kMessageCount == static_cast<std::size_t>(cause::end_of_file) + 1,
              "one message per cause");

// What an error without a file name shows in place of "%1".
constexpr char kUntitledFile[] = "無題のﾌｧｲﾙ";

struct os_error_row {
    unsigned long win32_error;
    cause reason;
};

// Win32 error numbers (winerror.h) by the condition they report. Anything else is generic.
constexpr os_error_row kOsErrors[] = {
    {0, cause::none},                 // ERROR_SUCCESS
    {2, cause::file_not_found},       // ERROR_FILE_NOT_FOUND
    {6, cause::file_not_found},       // ERROR_INVALID_HANDLE
    {3, cause::bad_path},             // ERROR_PATH_NOT_FOUND
    {15, cause::bad_path},            // ERROR_INVALID_DRIVE
    {123, cause::bad_path},           // ERROR_INVALID_NAME
    {161, cause::bad_path},           // ERROR_BAD_PATHNAME
    {206, cause::bad_path},           // ERROR_FILENAME_EXCED_RANGE
    {4, cause::too_many_open_files},  // ERROR_TOO_MANY_OPEN_FILES
    {5, cause::access_denied},        // ERROR_ACCESS_DENIED
    {19, cause::access_denied},       // ERROR_WRITE_PROTECT
    {29, cause::access_denied},       // ERROR_WRITE_FAULT
    {11, cause::invalid_file},        // ERROR_BAD_FORMAT
    {16, cause::remove_current_dir},  // ERROR_CURRENT_DIRECTORY
    {82, cause::directory_full},      // ERROR_CANNOT_MAKE: no room for a directory entry
    {25, cause::bad_seek},            // ERROR_SEEK
    {27, cause::bad_seek},            // ERROR_SECTOR_NOT_FOUND
    {21, cause::hard_io},             // ERROR_NOT_READY
    {23, cause::hard_io},             // ERROR_CRC
    {31, cause::hard_io},             // ERROR_GEN_FAILURE
    {1117, cause::hard_io},           // ERROR_IO_DEVICE
    {32, cause::sharing_violation},   // ERROR_SHARING_VIOLATION
    {33, cause::lock_violation},      // ERROR_LOCK_VIOLATION
    {39, cause::disk_full},           // ERROR_HANDLE_DISK_FULL
    {112, cause::disk_full},          // ERROR_DISK_FULL
    {38, cause::end_of_file},         // ERROR_HANDLE_EOF
};

}  // namespace

std::string file_error_message(cause reason, const std::string& file_name) {
    auto index = static_cast<std::size_t>(reason);
    if (index >= kMessageCount) index = static_cast<std::size_t>(cause::generic);
    const std::string shown = file_name.empty() ? std::string(kUntitledFile) : file_name;

    std::string message;
    for (const char* p = kMessages[index]; *p != '\0'; ++p) {
        if (p[0] == '%' && p[1] == '1') {
            message += shown;
            ++p;
        } else {
            message += *p;
        }
    }
    return message;
}

cause cause_from_os_error(unsigned long win32_error) {
    for (const os_error_row& row : kOsErrors) {
        if (row.win32_error == win32_error) return row.reason;
    }
    return cause::generic;
}

file_error::file_error(cause reason, std::string file_name, long os_error)
    : m_cause(reason),
      m_os_error(os_error),
      m_file_name(std::move(file_name)),
      m_message(file_error_message(reason, m_file_name)) {}

}  // namespace archive
