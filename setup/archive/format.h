// Byte layout of the payload archive: the marker, the entry header and the work-buffer sizes
// that double as the format's limits.
#pragma once

#include <cstddef>
#include <cstdint>

namespace archive {

// The marker is the 50 byte values 1, 2, ..., 50. setup.exe's own image is the prefix of the
// shipped carrier, so the marker must never sit in it as a table: it is always computed.
constexpr std::size_t kMarkerLength = 50;
constexpr unsigned char marker_byte(std::size_t index) {
    return static_cast<unsigned char>(index + 1);
}

// Entry header: data size (signed; 0 marks a command entry), then name length (NUL included).
constexpr std::size_t kEntryHeaderSize = 8;

// Fixed work buffers; their sizes are the limits a carrier must keep.
constexpr std::size_t kIoBufferSize = 10000;           // one chunk of the carrier
constexpr std::size_t kMaxNameLength = 256;            // name buffer, NUL included
constexpr std::size_t kPathBufferSize = 256;           // an output path, NUL included
constexpr std::size_t kWindowsFolderBufferSize = 260;  // what the system may report

// The carrier is found by this relative name; archive faults are reported against it.
constexpr char kCarrierFileName[] = "install.exe";

// A file entry whose name starts with this byte goes to the Windows folder (uppercase only).
constexpr char kWindowsEntryLead = 'W';
constexpr std::size_t kWindowsEntrySkip = 2;  // "W" and the byte after it are dropped

// Names and folders are Shift-JIS (code page 932) text: a lead byte starts a two-byte character,
// whose trail byte may be 0x5C.
constexpr bool is_lead_byte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

struct entry_header {
    std::int32_t data_size;
    std::uint32_t name_length;
};

inline std::uint32_t get_le32(const unsigned char* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

inline void put_le32(unsigned char* bytes, std::uint32_t value) {
    bytes[0] = static_cast<unsigned char>(value);
    bytes[1] = static_cast<unsigned char>(value >> 8);
    bytes[2] = static_cast<unsigned char>(value >> 16);
    bytes[3] = static_cast<unsigned char>(value >> 24);
}

inline entry_header decode_entry_header(const unsigned char (&bytes)[kEntryHeaderSize]) {
    return entry_header{static_cast<std::int32_t>(get_le32(bytes)), get_le32(bytes + 4)};
}

inline void encode_entry_header(const entry_header& header,
                                unsigned char (&bytes)[kEntryHeaderSize]) {
    put_le32(bytes, static_cast<std::uint32_t>(header.data_size));
    put_le32(bytes + 4, header.name_length);
}

}  // namespace archive
