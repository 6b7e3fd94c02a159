// Test doubles for the archive core: carriers built from byte strings, and a reader, sink and
// hooks that record every call in one shared log so that tests can check the order of effects.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "setup/archive/extract.h"
#include "setup/archive/format.h"
#include "setup/archive/io.h"

namespace archive_test {

inline std::string marker() {
    std::string bytes;
    for (std::size_t i = 0; i < archive::kMarkerLength; ++i) {
        bytes += static_cast<char>(archive::marker_byte(i));
    }
    return bytes;
}

// An entry exactly as given, so tests can also build entries that break the format's limits.
inline std::string raw_entry(std::int32_t data_size, std::uint32_t name_length,
                             const std::string& name_bytes, const std::string& content = {}) {
    unsigned char header[archive::kEntryHeaderSize];
    archive::encode_entry_header({data_size, name_length}, header);
    return std::string(reinterpret_cast<const char*>(header), sizeof header) + name_bytes + content;
}

inline std::string file_entry(const std::string& name, const std::string& content) {
    const std::string stored = name + '\0';
    return raw_entry(static_cast<std::int32_t>(content.size()),
                     static_cast<std::uint32_t>(stored.size()), stored, content);
}

inline std::string command_entry(const std::string& text) {
    const std::string stored = text + '\0';
    return raw_entry(0, static_cast<std::uint32_t>(stored.size()), stored);
}

// Content whose bytes differ from chunk to chunk, so a misplaced chunk shows.
inline std::string patterned(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
    return bytes;
}

class fake_carrier : public archive::carrier_reader {
public:
    explicit fake_carrier(std::string bytes, std::vector<std::string>* log = nullptr)
        : m_bytes(std::move(bytes)), m_log(log) {}

    // Makes length() report more than the bytes that can be read, like a carrier cut short.
    void claim_length(std::int32_t length) { m_claimed = length; }

    std::uint32_t read(void* buffer, std::uint32_t count) override {
        const std::size_t left = m_position < m_bytes.size() ? m_bytes.size() - m_position : 0;
        const auto got = static_cast<std::uint32_t>(std::min<std::size_t>(count, left));
        std::memcpy(buffer, m_bytes.data() + std::min(m_position, m_bytes.size()), got);
        m_position += got;
        furthest = std::max(furthest, m_position);
        reads.emplace_back(count, got);
        note("read " + std::to_string(count) + " got " + std::to_string(got));
        // A stuck scan would otherwise hang the test run instead of failing it.
        if (reads.size() > 100000) throw std::runtime_error("carrier read without end");
        return got;
    }
    void seek(std::uint32_t offset) override {
        m_position = offset;
        note("seek " + std::to_string(offset));
    }
    std::uint32_t position() override { return static_cast<std::uint32_t>(m_position); }
    std::int32_t length() override {
        return m_claimed ? *m_claimed : static_cast<std::int32_t>(m_bytes.size());
    }

    std::vector<std::pair<std::uint32_t, std::uint32_t>> reads;  // (asked, got)
    std::size_t furthest = 0;                                    // one past the last byte ever read

private:
    void note(const std::string& line) {
        if (m_log) m_log->push_back(line);
    }

    std::string m_bytes;
    std::vector<std::string>* m_log;
    std::optional<std::int32_t> m_claimed;
    std::size_t m_position = 0;
};

// Sink and hooks in one, writing to one log: "folder P", "create P", "write N", "close",
// "range", "progress N", "command TEXT | DEST". Written files are kept by path.
class recorder : public archive::install_sink, public archive::install_hooks {
public:
    std::vector<std::string> log;
    std::map<std::string, std::string> files;
    std::vector<int> progress_values;
    std::string windows = "C:\\WINDOWS";

    void create_folder(const std::string& path) override { log.push_back("folder " + path); }
    void create_file(const std::string& path) override {
        log.push_back("create " + path);
        m_open = path;
        files[path].clear();
    }
    void write(const void* data, std::uint32_t count) override {
        log.push_back("write " + std::to_string(count));
        files[m_open].append(static_cast<const char*>(data), count);
    }
    void close_file() override {
        log.push_back("close");
        m_open.clear();
    }
    std::string windows_folder() override { return windows; }

    void progress_range_set() override { log.push_back("range"); }
    void progress(int position) override {
        log.push_back("progress " + std::to_string(position));
        progress_values.push_back(position);
    }
    void command(char (&name_buffer)[archive::kMaxNameLength],
                 const std::string& destination) override {
        log.push_back("command " + std::string(name_buffer) + " | " + destination);
        // The runner owns the buffer from here; scribble on it as an expanding runner would.
        std::memset(name_buffer, 'X', sizeof name_buffer);
    }

private:
    std::string m_open;
};

}  // namespace archive_test
