// stdio and POSIX behind the core's seams, with errno mapped onto the file-error causes so the
// tool reports failures in the installer's own words.
#include "tools/carrier/native_io.h"

#include <sys/stat.h>

#include <cerrno>
#include <climits>

#include "tools/carrier/codepage.h"

namespace carrier {

archive::cause cause_from_errno(int error) {
    using archive::cause;
    switch (error) {
        case 0:
            return cause::none;
        case ENOENT:
            return cause::file_not_found;
        case EBADF:
            return cause::file_not_found;
        case ENOTDIR:
        case ENAMETOOLONG:
        case EISDIR:
        case EINVAL:
            return cause::bad_path;
        case EMFILE:
        case ENFILE:
            return cause::too_many_open_files;
        case EACCES:
        case EPERM:
        case EROFS:
            return cause::access_denied;
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            return cause::disk_full;
        case EIO:
            return cause::hard_io;
        case ESPIPE:
            return cause::bad_seek;
        default:
            return cause::generic;
    }
}

namespace {

[[noreturn]] void throw_errno(const std::string& name) {
    const int error = errno;
    throw archive::file_error(cause_from_errno(error), name, error);
}

}  // namespace

file_reader::file_reader(const std::string& path) : m_file(std::fopen(path.c_str(), "rb")) {
    if (m_file == nullptr) throw_errno(path);
}

file_reader::~file_reader() { std::fclose(m_file); }

std::uint32_t file_reader::read(void* buffer, std::uint32_t count) {
    const std::size_t got = std::fread(buffer, 1, count, m_file);
    if (got < count && std::ferror(m_file)) throw_errno({});
    return static_cast<std::uint32_t>(got);
}

void file_reader::seek(std::uint32_t offset) {
    if (fseeko(m_file, static_cast<off_t>(offset), SEEK_SET) != 0) throw_errno({});
}

std::uint32_t file_reader::position() {
    const off_t at = ftello(m_file);
    if (at < 0) throw_errno({});
    return static_cast<std::uint32_t>(at);
}

std::int32_t file_reader::length() {
    struct stat info;
    if (fstat(fileno(m_file), &info) != 0) throw_errno({});
    if (info.st_size > INT32_MAX) throw archive::file_error(archive::cause::invalid_file);
    return static_cast<std::int32_t>(info.st_size);
}

folder_sink::folder_sink(std::string destination, std::string windows_folder)
    : m_destination(std::move(destination)), m_windows_folder(std::move(windows_folder)) {}

folder_sink::~folder_sink() {
    if (m_file != nullptr) std::fclose(m_file);
}

std::string folder_sink::host_path(const std::string& path) const {
    const std::string destination_root = kDestinationRoot;
    const std::string windows_root = std::string(kWindowsFolder) + "\\";
    std::string root;
    std::string rest;
    if (path.compare(0, destination_root.size(), destination_root) == 0) {
        root = m_destination;
        rest = path.substr(destination_root.size());
    } else if (path.compare(0, windows_root.size(), windows_root) == 0 &&
               !m_windows_folder.empty()) {
        root = m_windows_folder;
        rest = path.substr(windows_root.size());
    } else {
        return {};
    }
    // Converted whole first, so a trail byte 0x5C stays inside its character.
    std::string utf8;
    if (!cp932_to_utf8(rest, utf8)) return {};
    std::string host = root;
    std::string level;
    for (std::size_t i = 0; i <= utf8.size(); ++i) {
        if (i == utf8.size() || utf8[i] == '\\') {
            // Nothing written here may leave the folder it was aimed at.
            if (level == ".." || level == "." || level.find('/') != std::string::npos ||
                (level.empty() && i < utf8.size())) {
                return {};
            }
            host += '/';
            host += level;
            level.clear();
        } else {
            level += utf8[i];
        }
    }
    return host;
}

void folder_sink::create_folder(const std::string& path) {
    const std::string host = host_path(path);
    // Fire and forget, as in the installer: a folder that cannot be made shows up with its file.
    if (!host.empty()) mkdir(host.c_str(), 0777);
}

void folder_sink::create_file(const std::string& path) {
    const std::string host = host_path(path);
    if (host.empty()) throw archive::file_error(archive::cause::bad_path, path);
    m_file = std::fopen(host.c_str(), "wb");
    if (m_file == nullptr) throw_errno(path);
    m_file_path = path;
}

void folder_sink::write(const void* data, std::uint32_t count) {
    const std::size_t put = std::fwrite(data, 1, count, m_file);
    if (put < count) {
        if (std::ferror(m_file) && errno != ENOSPC) throw_errno(m_file_path);
        throw archive::file_error(archive::cause::disk_full, m_file_path);
    }
}

void folder_sink::close_file() {
    std::FILE* file = m_file;
    m_file = nullptr;
    if (std::fclose(file) != 0) throw_errno({});
    ++m_files_written;
}

}  // namespace carrier
