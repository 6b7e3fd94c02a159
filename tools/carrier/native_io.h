// The archive core's seams on the build machine: a carrier read from a file, and an install sink
// that maps the installer's paths onto a folder here (and another for the Windows folder).
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "setup/archive/file_error.h"
#include "setup/archive/io.h"

namespace carrier {

// The cause a failed C library call stands for, from errno.
archive::cause cause_from_errno(int error);

class file_reader : public archive::carrier_reader {
public:
    // Opens `path` for reading; throws file_error naming it when that fails.
    explicit file_reader(const std::string& path);
    ~file_reader() override;
    file_reader(const file_reader&) = delete;
    file_reader& operator=(const file_reader&) = delete;

    std::uint32_t read(void* buffer, std::uint32_t count) override;
    void seek(std::uint32_t offset) override;
    std::uint32_t position() override;
    // Throws cause 6 for a file of 2 GiB or more, whose length the format cannot hold.
    std::int32_t length() override;

private:
    std::FILE* m_file;
};

// The installer sees the destination as kDestinationRoot and the Windows folder as
// kWindowsFolder; this sink writes below `destination` and `windows_folder` instead. Names are
// turned from code page 932 into UTF-8 and their backslashes into slashes.
class folder_sink : public archive::install_sink {
public:
    static constexpr char kDestinationRoot[] = "D:\\";
    static constexpr char kWindowsFolder[] = "W:\\WINDOWS";

    // An empty `windows_folder` refuses every Windows-folder entry.
    folder_sink(std::string destination, std::string windows_folder);
    ~folder_sink() override;

    void create_folder(const std::string& path) override;
    void create_file(const std::string& path) override;
    void write(const void* data, std::uint32_t count) override;
    void close_file() override;
    std::string windows_folder() override { return kWindowsFolder; }

    int files_written() const { return m_files_written; }

private:
    // The host path for an installer path, or "" when it has none (outside both roots, not
    // convertible, or climbing out with "..").
    std::string host_path(const std::string& path) const;

    std::string m_destination;
    std::string m_windows_folder;
    std::FILE* m_file = nullptr;
    std::string m_file_path;
    int m_files_written = 0;
};

}  // namespace carrier
