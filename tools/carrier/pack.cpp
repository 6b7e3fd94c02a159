// carrier pack: stub, then marker, then the manifest's entries. Every entry is checked before
// the first byte is written, and the carrier appears under its name only when it is complete.
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "setup/archive/destination.h"
#include "setup/archive/format.h"
#include "tools/carrier/codepage.h"
#include "tools/carrier/commands.h"
#include "tools/carrier/manifest.h"
#include "tools/carrier/rules.h"

namespace carrier {

namespace {

// The installer's reader takes no carrier shorter than this (its progress steps are hundredths).
constexpr std::int64_t kMinCarrierLength = 100;
constexpr std::int64_t kMaxCarrierLength = INT32_MAX;
constexpr std::size_t kCopyChunk = 64 * 1024;

struct planned_entry {
    int line;
    std::string name;         // code page 932, without the NUL
    std::string source_path;  // file entries only
    std::int64_t data_size;   // 0 for a command entry
};

bool read_whole_file(const std::string& path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    if (in.bad()) return false;
    bytes = buffer.str();
    return true;
}

std::string folder_of(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string marker_bytes() {
    std::string marker;
    for (std::size_t i = 0; i < archive::kMarkerLength; ++i) {
        marker += static_cast<char>(archive::marker_byte(i));
    }
    return marker;
}

class refusal_printer {
public:
    explicit refusal_printer(std::string manifest) : m_manifest(std::move(manifest)) {}
    int at_line(int line, const std::string& message) const {
        std::fprintf(stderr, "carrier: %s:%d: %s\n", m_manifest.c_str(), line, message.c_str());
        return kExitBadInput;
    }
    // The entry checks speak of names in code page 932; the terminal gets UTF-8.
    int broken_rule(int line, const std::string& reason) const {
        return at_line(line, cp932_for_display(reason));
    }
    int plain(const std::string& subject, const std::string& message) const {
        std::fprintf(stderr, "carrier: %s: %s\n", subject.c_str(), message.c_str());
        return kExitBadInput;
    }
    const std::string& manifest() const { return m_manifest; }

private:
    std::string m_manifest;
};

// Writes the carrier to `path`, removing the half-written file on any failure.
class carrier_writer {
public:
    explicit carrier_writer(std::string path) : m_path(std::move(path)) {
        m_file = std::fopen(m_path.c_str(), "wb");
    }
    ~carrier_writer() {
        if (m_file != nullptr) {
            std::fclose(m_file);
            std::remove(m_path.c_str());
        }
    }
    carrier_writer(const carrier_writer&) = delete;
    carrier_writer& operator=(const carrier_writer&) = delete;

    bool opened() const { return m_file != nullptr; }
    bool put(const void* data, std::size_t count) {
        return std::fwrite(data, 1, count, m_file) == count;
    }
    // Closes and keeps the file.
    bool finish() {
        std::FILE* file = m_file;
        m_file = nullptr;
        if (std::fclose(file) == 0) return true;
        std::remove(m_path.c_str());
        return false;
    }

private:
    std::string m_path;
    std::FILE* m_file = nullptr;
};

class progress_line {
public:
    explicit progress_line(std::int64_t total) : m_total(total), m_shown(showing_progress()) {}
    ~progress_line() { finish(); }
    // Takes the line off the terminal before anything else is printed.
    void finish() {
        if (m_shown && m_last >= 0) std::printf("\r\033[K");
        m_last = -1;
    }
    void advance(std::int64_t by) {
        m_done += by;
        if (!m_shown || m_total <= 0) return;
        const int percent = static_cast<int>(m_done * 100 / m_total);
        if (percent == m_last) return;
        m_last = percent;
        std::printf("\rpacking %3d%%", percent);
        std::fflush(stdout);
    }

private:
    std::int64_t m_total;
    std::int64_t m_done = 0;
    int m_last = -1;
    bool m_shown;
};

}  // namespace

int run_pack(const pack_options& options) {
    const refusal_printer refuse(options.manifest);

    std::string manifest_text;
    if (!read_whole_file(options.manifest, manifest_text)) {
        return refuse.plain(options.manifest,
                            std::string("cannot read the manifest: ") + std::strerror(errno));
    }
    std::vector<manifest_entry> entries;
    manifest_error syntax;
    if (!parse_manifest(manifest_text, entries, syntax)) {
        return refuse.at_line(syntax.line, syntax.message);
    }

    std::string destination;
    if (!utf8_to_cp932(options.longest_destination, destination)) {
        return refuse.plain("--longest-destination", "the text cannot be written in code page 932");
    }
    destination = archive::normalize_destination(destination);

    const std::string source_folder = folder_of(options.manifest);
    std::vector<planned_entry> plan;
    for (const manifest_entry& entry : entries) {
        planned_entry planned{entry.line, {}, {}, 0};
        const bool is_command = entry.kind == entry_kind::command;
        if (!utf8_to_cp932(entry.text, planned.name)) {
            return refuse.at_line(entry.line, std::string(is_command ? "the command" : "the name") +
                                                  " holds text that code page 932 cannot express");
        }
        if (is_command) {
            if (std::string reason = check_command_text(planned.name, destination);
                !reason.empty()) {
                return refuse.broken_rule(entry.line, reason);
            }
            plan.push_back(planned);
            continue;
        }
        const bool windows_folder = entry.kind == entry_kind::windows_file;
        if (std::string reason = check_file_name(planned.name, windows_folder, destination);
            !reason.empty()) {
            return refuse.broken_rule(entry.line, reason);
        }
        planned.source_path = entry.source.empty() || entry.source[0] == '/'
                                  ? entry.source
                                  : source_folder + "/" + entry.source;
        struct stat info;
        if (stat(planned.source_path.c_str(), &info) != 0) {
            return refuse.at_line(entry.line, "cannot read the source file " + entry.source + ": " +
                                                  std::strerror(errno));
        }
        if (!S_ISREG(info.st_mode)) {
            return refuse.at_line(entry.line, "the source " + entry.source + " is not a file");
        }
        if (info.st_size == 0) {
            return refuse.at_line(entry.line,
                                  "the source file " + entry.source +
                                      " is empty; an empty file cannot be carried, since "
                                      "a data size of 0 marks a command");
        }
        planned.data_size = info.st_size;
        plan.push_back(planned);
    }
    if (plan.empty()) return refuse.plain(options.manifest, "the manifest lists no entry");

    std::string stub;
    if (!read_whole_file(options.stub, stub)) {
        return refuse.plain(options.stub,
                            std::string("cannot read the stub: ") + std::strerror(errno));
    }
    const std::string marker = marker_bytes();
    if (const std::size_t at = stub.find(marker); at != std::string::npos) {
        return refuse.plain(options.stub, "the stub contains the archive marker at offset " +
                                              std::to_string(at) +
                                              "; the installer would read the archive from there");
    }

    std::int64_t entries_length = 0;
    for (const planned_entry& entry : plan) {
        entries_length +=
            static_cast<std::int64_t>(archive::kEntryHeaderSize + entry.name.size() + 1) +
            entry.data_size;
    }
    // A last stub byte of 0x01..0x31 could run into the marker as a partial match and hide it; one
    // zero byte breaks any such run. Zero bytes also lift a tiny carrier to the reader's minimum.
    std::size_t padding = 0;
    if (!stub.empty()) {
        const auto last = static_cast<unsigned char>(stub.back());
        if (last >= archive::marker_byte(0) &&
            last < archive::marker_byte(archive::kMarkerLength - 1)) {
            padding = 1;
        }
    }
    const std::int64_t unpadded =
        static_cast<std::int64_t>(stub.size() + padding + marker.size()) + entries_length;
    if (unpadded < kMinCarrierLength)
        padding += static_cast<std::size_t>(kMinCarrierLength - unpadded);
    const std::int64_t prefix_length = static_cast<std::int64_t>(stub.size() + padding);
    const std::int64_t carrier_length =
        prefix_length + static_cast<std::int64_t>(marker.size()) + entries_length;
    if (carrier_length > kMaxCarrierLength) {
        return refuse.plain(options.out, "the carrier would be " + std::to_string(carrier_length) +
                                             " bytes; the installer reads at most " +
                                             std::to_string(kMaxCarrierLength));
    }

    const std::string part_path = options.out + ".part";
    carrier_writer out(part_path);
    if (!out.opened()) {
        return refuse.plain(options.out, std::string("cannot write: ") + std::strerror(errno));
    }
    const std::string zeros(padding, '\0');
    bool written = out.put(stub.data(), stub.size()) && out.put(zeros.data(), zeros.size()) &&
                   out.put(marker.data(), marker.size());
    progress_line progress(entries_length);
    std::vector<char> chunk(kCopyChunk);
    for (const planned_entry& entry : plan) {
        if (!written) break;
        unsigned char header[archive::kEntryHeaderSize];
        archive::encode_entry_header({static_cast<std::int32_t>(entry.data_size),
                                      static_cast<std::uint32_t>(entry.name.size() + 1)},
                                     header);
        written =
            out.put(header, sizeof header) && out.put(entry.name.c_str(), entry.name.size() + 1);
        progress.advance(static_cast<std::int64_t>(sizeof header + entry.name.size() + 1));
        if (entry.data_size == 0) continue;

        std::FILE* source = std::fopen(entry.source_path.c_str(), "rb");
        if (source == nullptr) {
            progress.finish();
            return refuse.at_line(
                entry.line, "cannot read the source file: " + std::string(std::strerror(errno)));
        }
        std::int64_t copied = 0;
        while (written) {
            const std::size_t got = std::fread(chunk.data(), 1, chunk.size(), source);
            if (got == 0) break;
            copied += static_cast<std::int64_t>(got);
            if (copied > entry.data_size) break;
            written = out.put(chunk.data(), got);
            progress.advance(static_cast<std::int64_t>(got));
        }
        const bool read_failed = std::ferror(source) != 0;
        std::fclose(source);
        if (written && (read_failed || copied != entry.data_size)) {
            progress.finish();
            return refuse.at_line(entry.line,
                                  "the source file changed or could not be read while "
                                  "it was packed");
        }
    }
    progress.finish();
    if (!written || !out.finish()) {
        return refuse.plain(options.out, std::string("cannot write: ") + std::strerror(errno));
    }
    if (std::rename(part_path.c_str(), options.out.c_str()) != 0) {
        const int error = errno;
        std::remove(part_path.c_str());
        return refuse.plain(options.out, std::string("cannot write: ") + std::strerror(error));
    }

    const auto files = std::count_if(plan.begin(), plan.end(),
                                     [](const planned_entry& e) { return e.data_size > 0; });
    std::printf("%s: %lld bytes, archive start %lld, %zu entries (%ld files, %ld commands)\n",
                options.out.c_str(), static_cast<long long>(carrier_length),
                static_cast<long long>(prefix_length + static_cast<std::int64_t>(marker.size())),
                plan.size(), static_cast<long>(files), static_cast<long>(plan.size() - files));
    if (padding > 0) {
        std::printf("%s: %zu zero byte%s appended to the stub\n", options.out.c_str(), padding,
                    padding == 1 ? "" : "s");
    }
    return kExitOk;
}

}  // namespace carrier
