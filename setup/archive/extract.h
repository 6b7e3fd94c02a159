// Reading a payload archive: the marker search, the entry walk and the whole install over the
// platform seams of io.h. Archive faults are reported as file errors naming "install.exe".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "setup/archive/format.h"
#include "setup/archive/io.h"

namespace archive {

// Scans from the reader's current position (the carrier's start) in chunks of the buffer's
// size for the first complete marker; returns the offset just past it, or 0 when there is none.
// A mismatching byte is not retried as the first byte of a new match.
std::uint32_t find_archive_start(carrier_reader& carrier, std::int32_t carrier_length,
                                 unsigned char (&buffer)[kIoBufferSize]);

enum class entry_kind { file, command };

struct entry {
    entry_kind kind;
    std::uint32_t start;        // carrier offset of the header
    std::int32_t data_size;     // content bytes of a file entry, 0 for a command entry
    std::uint32_t name_length;  // NUL included
    std::uint32_t data_offset;  // carrier offset just past the name
};

// Walks the entries behind the marker in stored order. next() checks each entry against the
// format's limits before handing it out (cause 6 for a bad header or name, cause 14 when the
// carrier ends inside an entry or holds none), so a caller never sees a malformed entry.
class entry_walker {
public:
    entry_walker(carrier_reader& carrier, std::uint32_t archive_start, std::int32_t carrier_length);

    // Reads the next entry's header and name; false once the archive is used up (at most one
    // stray byte may follow the last entry).
    bool next();

    std::uint32_t archive_start() const { return static_cast<std::uint32_t>(m_archive_start); }
    const entry& current() const { return m_entry; }
    // The name as read, up to its NUL.
    std::string_view name() const;
    // The name buffer itself, for a command runner that rewrites it in place.
    char (&name_buffer())[kMaxNameLength] { return m_name; }

    // Content bytes of the current file entry not yet read.
    std::uint32_t content_left() const { return m_content_left; }
    // Reads the next chunk of content (at most the buffer's size); returns its length. Throws
    // cause 14 when the carrier gives no bytes before the content is complete.
    std::uint32_t read_content(unsigned char (&buffer)[kIoBufferSize]);

private:
    carrier_reader& m_carrier;
    std::int64_t m_archive_start;
    std::int64_t m_carrier_length;
    std::int64_t m_next_start;
    std::uint32_t m_content_left = 0;
    bool m_seen_entry = false;
    entry m_entry{};
    char m_name[kMaxNameLength] = {};
};

// The install proper: marker search, progress range, the walk writing every file entry (folders
// first, content in chunks with a progress update after each read and before each write) and
// handing command entries to the hooks, then progress 100. Opening and closing the carrier is
// the caller's. A carrier without a marker is an invalid file, not a quiet success.
void install_archive(carrier_reader& carrier, install_sink& sink, install_hooks& hooks,
                     const std::string& destination);

}  // namespace archive
