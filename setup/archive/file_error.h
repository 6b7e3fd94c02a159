// The file error that every failed file operation raises, its fifteen causes, their messages
// and the mapping of Win32 error numbers onto them. Shared by setup.exe and the carrier tool.
#pragma once

#include <exception>
#include <string>

namespace archive {

enum class cause : int {
    none = 0,
    generic = 1,
    file_not_found = 2,
    bad_path = 3,
    too_many_open_files = 4,
    access_denied = 5,
    invalid_file = 6,
    remove_current_dir = 7,
    directory_full = 8,
    bad_seek = 9,
    hard_io = 10,
    sharing_violation = 11,
    lock_violation = 12,
    disk_full = 13,
    end_of_file = 14,
};

// The user-visible text for a cause, in code page 932: "%1" becomes the file name, and an empty
// name is shown as the untitled-file text. A number outside 0..14 gets the generic message.
std::string file_error_message(cause reason, const std::string& file_name);

// Maps a Win32 error number (GetLastError) onto a cause; 0 is none, unknown numbers generic.
cause cause_from_os_error(unsigned long win32_error);

class file_error : public std::exception {
public:
    static constexpr long kNoOsError = -1;

    explicit file_error(cause reason, std::string file_name = std::string(),
                        long os_error = kNoOsError);

    cause error_cause() const noexcept { return m_cause; }
    long os_error() const noexcept { return m_os_error; }
    const std::string& file_name() const noexcept { return m_file_name; }
    // The full message, as file_error_message gives it.
    const char* what() const noexcept override { return m_message.c_str(); }

private:
    cause m_cause;
    long m_os_error;
    std::string m_file_name;
    std::string m_message;
};

}  // namespace archive
