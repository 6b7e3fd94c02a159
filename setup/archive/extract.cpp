// Marker search, entry walk and install over the platform seams. The carrier is trusted only as
// far as the format's limits go: anything outside them stops the install with a file error.
#include "setup/archive/extract.h"

#include <algorithm>
#include <cstring>

#include "setup/archive/file_error.h"
#include "setup/archive/paths.h"
#include "setup/archive/progress.h"

namespace archive {

namespace {

[[noreturn]] void throw_archive_fault(cause reason) { throw file_error(reason, kCarrierFileName); }

// Reads until count bytes have come or the carrier gives none; returns how many came.
std::uint32_t read_up_to(carrier_reader& carrier, void* buffer, std::uint32_t count) {
    auto* bytes = static_cast<unsigned char*>(buffer);
    std::uint32_t total = 0;
    while (total < count) {
        const std::uint32_t got =
            std::min(carrier.read(bytes + total, count - total), count - total);
        if (got == 0) break;
        total += got;
    }
    return total;
}

}  // namespace

std::uint32_t find_archive_start(carrier_reader& carrier, std::int32_t carrier_length,
                                 unsigned char (&buffer)[kIoBufferSize]) {
    std::size_t matched = 0;  // carries over from one chunk to the next
    std::int64_t chunk_offset = 0;
    while (chunk_offset < carrier_length) {
        const std::uint32_t got =
            std::min<std::uint32_t>(carrier.read(buffer, kIoBufferSize), kIoBufferSize);
        // A carrier shorter than it claimed must not keep the scan spinning.
        if (got == 0) break;
        for (std::uint32_t i = 0; i < got; ++i) {
            if (buffer[i] == marker_byte(matched)) {
                if (++matched == kMarkerLength) {
                    return static_cast<std::uint32_t>(chunk_offset + i + 1);
                }
            } else {
                // Not retried as a first byte: a run 0x01 0x02 ... in front of the marker hides it.
                matched = 0;
            }
        }
        chunk_offset += got;
    }
    return 0;
}

entry_walker::entry_walker(carrier_reader& carrier, std::uint32_t archive_start,
                           std::int32_t carrier_length)
    : m_carrier(carrier),
      m_archive_start(archive_start),
      m_carrier_length(carrier_length),
      m_next_start(archive_start) {}

bool entry_walker::next() {
    // One stray byte may follow the last entry; it is never read.
    if (m_next_start >= m_carrier_length - 1) {
        if (!m_seen_entry) throw_archive_fault(cause::end_of_file);
        return false;
    }
    m_seen_entry = true;
    m_content_left = 0;

    const std::int64_t start = m_next_start;
    m_carrier.seek(static_cast<std::uint32_t>(start));

    unsigned char header_bytes[kEntryHeaderSize];
    if (read_up_to(m_carrier, header_bytes, kEntryHeaderSize) < kEntryHeaderSize) {
        throw_archive_fault(cause::end_of_file);
    }
    const entry_header header = decode_entry_header(header_bytes);
    if (header.data_size < 0 || header.name_length == 0 || header.name_length > kMaxNameLength) {
        throw_archive_fault(cause::invalid_file);
    }
    if (read_up_to(m_carrier, m_name, header.name_length) < header.name_length) {
        throw_archive_fault(cause::end_of_file);
    }
    if (m_name[header.name_length - 1] != '\0') throw_archive_fault(cause::invalid_file);

    const std::int64_t data_offset =
        start + static_cast<std::int64_t>(kEntryHeaderSize) + header.name_length;
    const std::int64_t end = data_offset + header.data_size;
    // Checked before anything is written, so a cut-off file is never begun.
    if (end > m_carrier_length) throw_archive_fault(cause::end_of_file);

    m_entry.kind = header.data_size == 0 ? entry_kind::command : entry_kind::file;
    m_entry.start = static_cast<std::uint32_t>(start);
    m_entry.data_size = header.data_size;
    m_entry.name_length = header.name_length;
    m_entry.data_offset = static_cast<std::uint32_t>(data_offset);
    m_content_left = static_cast<std::uint32_t>(header.data_size);
    m_next_start = end;
    return true;
}

std::string_view entry_walker::name() const {
    const auto length =
        static_cast<std::size_t>(std::find(m_name, m_name + m_entry.name_length, '\0') - m_name);
    return std::string_view(m_name, length);
}

std::uint32_t entry_walker::read_content(unsigned char (&buffer)[kIoBufferSize]) {
    if (m_content_left == 0) return 0;
    const std::uint32_t wanted = std::min<std::uint32_t>(m_content_left, kIoBufferSize);
    const std::uint32_t got = std::min(m_carrier.read(buffer, wanted), wanted);
    // The carrier shrank under us: stop instead of waiting forever for the rest.
    if (got == 0) throw_archive_fault(cause::end_of_file);
    m_content_left -= got;
    return got;
}

namespace {

void install_file(entry_walker& walker, install_sink& sink, install_hooks& hooks,
                  const std::string& destination, std::int64_t archive_start, std::int32_t divisor,
                  unsigned char (&buffer)[kIoBufferSize]) {
    const std::string_view name = walker.name();
    const bool to_windows_folder = is_windows_folder_entry(name);
    const std::string path = to_windows_folder
                                 ? windows_folder_output_path(sink.windows_folder(), name)
                                 : destination_output_path(destination, name);
    if (!fits_path_buffer(path)) throw file_error(cause::bad_path, path);

    // Windows-folder entries go into folders that must already exist.
    if (!to_windows_folder) {
        for (const std::string& folder : folders_to_create(path)) sink.create_folder(folder);
    }

    sink.create_file(path);
    std::int64_t offset = walker.current().data_offset;
    while (walker.content_left() > 0) {
        const std::uint32_t got = walker.read_content(buffer);
        offset += got;
        hooks.progress(progress_position(offset, archive_start, divisor));
        sink.write(buffer, got);
    }
    sink.close_file();
}

}  // namespace

void install_archive(carrier_reader& carrier, install_sink& sink, install_hooks& hooks,
                     const std::string& destination) {
    // The one I/O buffer of the install: the marker search and every content chunk share it.
    unsigned char buffer[kIoBufferSize];

    const std::int32_t carrier_length = carrier.length();
    const std::uint32_t archive_start = find_archive_start(carrier, carrier_length, buffer);
    if (archive_start == 0) throw_archive_fault(cause::invalid_file);

    const std::int32_t divisor = progress_divisor(carrier_length);
    hooks.progress_range_set();

    entry_walker walker(carrier, archive_start, carrier_length);
    while (walker.next()) {
        hooks.progress(progress_position(walker.current().data_offset, archive_start, divisor));
        if (walker.current().kind == entry_kind::command) {
            hooks.command(walker.name_buffer(), destination);
        } else {
            install_file(walker, sink, hooks, destination, archive_start, divisor, buffer);
        }
    }
    hooks.progress(kProgressMax);
}

}  // namespace archive
