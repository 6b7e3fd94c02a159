// The seams between the archive core and a platform: where the carrier's bytes come from, where
// installed files go, and what the installer's window hears. Failures throw file_error.
#pragma once

#include <cstdint>
#include <string>

#include "setup/archive/format.h"

namespace archive {

class carrier_reader {
public:
    virtual ~carrier_reader() = default;
    // Returns the bytes read: fewer than asked at the end of the carrier, 0 there.
    virtual std::uint32_t read(void* buffer, std::uint32_t count) = 0;
    // Moves the read position to an offset from the start.
    virtual void seek(std::uint32_t offset) = 0;
    virtual std::uint32_t position() = 0;
    // The carrier's length; signed, as the format's offsets are.
    virtual std::int32_t length() = 0;
};

class install_sink {
public:
    virtual ~install_sink() = default;
    // Fire and forget: an existing or uncreatable folder shows up only when a file in it fails.
    virtual void create_folder(const std::string& path) = 0;
    // Creates (or truncates) the one output file open at a time.
    virtual void create_file(const std::string& path) = 0;
    virtual void write(const void* data, std::uint32_t count) = 0;
    virtual void close_file() = 0;
    // The system's Windows folder, no trailing backslash unless it is a drive's root.
    virtual std::string windows_folder() = 0;
};

class install_hooks {
public:
    virtual ~install_hooks() = default;
    // The bar's range becomes 0..100; called once, after the marker is found.
    virtual void progress_range_set() = 0;
    virtual void progress(int position) = 0;
    // A command entry, the moment it is reached. The runner may overwrite the name buffer.
    virtual void command(char (&name_buffer)[kMaxNameLength], const std::string& destination) = 0;
};

}  // namespace archive
