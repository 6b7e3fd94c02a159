// carrier list, verify and extract: all three read a carrier through the archive core, so they
// see it exactly as the installer's reader does.
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "setup/archive/destination.h"
#include "setup/archive/extract.h"
#include "setup/archive/file_error.h"
#include "setup/archive/format.h"
#include "setup/archive/paths.h"
#include "tools/carrier/codepage.h"
#include "tools/carrier/commands.h"
#include "tools/carrier/native_io.h"
#include "tools/carrier/rules.h"

namespace carrier {

namespace {

// The reader's own minimum: below it the progress arithmetic has nothing to divide by.
constexpr std::int32_t kMinCarrierLength = 100;

bool is_windows_entry(const archive::entry& entry, std::string_view name) {
    return entry.kind == archive::entry_kind::file && archive::is_windows_folder_entry(name);
}

const char* kind_text(const archive::entry& entry, std::string_view name) {
    if (entry.kind == archive::entry_kind::command) return "command";
    return is_windows_entry(entry, name) ? "windows-file" : "file";
}

std::string where(int index, std::uint32_t offset) {
    return "entry " + std::to_string(index) + " at offset " + std::to_string(offset);
}

// What the walker found wrong, with the header's own figures so the fault can be seen.
std::string describe_fault(file_reader& reader, const archive::file_error& error,
                           std::uint32_t offset, std::int32_t length) {
    const std::int64_t left = static_cast<std::int64_t>(length) - offset;
    std::string text = error.error_cause() == archive::cause::end_of_file
                           ? "the carrier ends inside this entry"
                           : "the entry breaks the format's limits";
    if (left < static_cast<std::int64_t>(archive::kEntryHeaderSize)) {
        return text + " (" + std::to_string(left) + " bytes left, a header takes " +
               std::to_string(archive::kEntryHeaderSize) + ")";
    }
    unsigned char bytes[archive::kEntryHeaderSize];
    reader.seek(offset);
    if (reader.read(bytes, sizeof bytes) == sizeof bytes) {
        const archive::entry_header header = archive::decode_entry_header(bytes);
        text += " (data size " + std::to_string(header.data_size) + ", name length " +
                std::to_string(header.name_length) + " with its NUL, " +
                std::to_string(left - static_cast<std::int64_t>(archive::kEntryHeaderSize)) +
                " bytes after the header)";
    }
    return text;
}

using entry_visitor =
    std::function<void(int index, const archive::entry& entry, std::string_view name)>;

struct walk_result {
    std::int32_t length = 0;
    std::uint32_t archive_start = 0;  // 0: no marker
    int entries = 0;
    std::uint32_t end = 0;  // offset just past the last entry read
    std::string fault;      // UTF-8; empty when the structure holds
};

// Finds the marker; `archive_start` stays 0 and `fault` is set when there is none.
walk_result find_marker(file_reader& reader) {
    walk_result result;
    result.length = reader.length();
    unsigned char buffer[archive::kIoBufferSize];
    result.archive_start = archive::find_archive_start(reader, result.length, buffer);
    if (result.archive_start == 0) result.fault = "no archive marker (the 50 bytes 0x01 to 0x32)";
    result.end = result.archive_start;
    return result;
}

// Walks every entry behind the marker; a broken structure ends the walk with `fault` set.
void walk_entries(file_reader& reader, walk_result& result, const entry_visitor& visit) {
    if (result.archive_start == 0) return;
    archive::entry_walker walker(reader, result.archive_start, result.length);
    try {
        while (walker.next()) {
            ++result.entries;
            const archive::entry& entry = walker.current();
            visit(result.entries, entry, walker.name());
            result.end = entry.data_offset + static_cast<std::uint32_t>(entry.data_size);
        }
    } catch (const archive::file_error& error) {
        result.fault =
            result.entries == 0 && result.end + 1 >= static_cast<std::uint32_t>(result.length)
                ? "no entry follows the marker"
                : where(result.entries + 1, result.end) + ": " +
                      describe_fault(reader, error, result.end, result.length);
    }
}

walk_result walk_carrier(file_reader& reader, const entry_visitor& visit) {
    walk_result result = find_marker(reader);
    walk_entries(reader, result, visit);
    return result;
}

int report_file_error(const archive::file_error& error) {
    std::fprintf(stderr, "carrier: %s\n", cp932_for_display(error.what()).c_str());
    return kExitBadInput;
}

class extract_hooks : public archive::install_hooks {
public:
    ~extract_hooks() override { finish(); }
    // Takes the progress line off the terminal before the report is printed.
    void finish() { clear_progress(); }
    void progress_range_set() override {}
    void progress(int position) override {
        if (!showing_progress() || position == m_last) return;
        m_last = position;
        std::printf("\rextracting %3d%%", position);
        std::fflush(stdout);
    }
    void command(char (&name_buffer)[archive::kMaxNameLength], const std::string&) override {
        clear_progress();
        const std::string text(name_buffer, strnlen(name_buffer, sizeof name_buffer));
        std::printf("command not run: %s\n", cp932_for_display(text).c_str());
        ++m_commands;
    }
    int commands() const { return m_commands; }

private:
    void clear_progress() {
        if (m_last >= 0) std::printf("\r\033[K");
        m_last = -1;
    }
    int m_last = -1;
    int m_commands = 0;
};

bool make_folders(const std::string& path) {
    for (std::size_t i = 1; i <= path.size(); ++i) {
        if (i < path.size() && path[i] != '/') continue;
        const std::string level = path.substr(0, i);
        if (mkdir(level.c_str(), 0777) != 0 && errno != EEXIST) return false;
    }
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

int run_list(const std::string& carrier_path) {
    try {
        file_reader reader(carrier_path);
        walk_result result = find_marker(reader);
        if (result.archive_start != 0) {
            std::printf("prefix length\t%lu\narchive start\t%lu\nentry\toffset\tkind\tsize\tname\n",
                        static_cast<unsigned long>(result.archive_start - archive::kMarkerLength),
                        static_cast<unsigned long>(result.archive_start));
        }
        walk_entries(reader, result,
                     [](int index, const archive::entry& entry, std::string_view name) {
                         std::printf("%d\t%lu\t%s\t%ld\t%s\n", index,
                                     static_cast<unsigned long>(entry.start),
                                     kind_text(entry, name), static_cast<long>(entry.data_size),
                                     cp932_for_display(std::string(name)).c_str());
                     });
        if (!result.fault.empty()) {
            std::fprintf(stderr, "carrier: %s: %s\n", carrier_path.c_str(), result.fault.c_str());
            return kExitBadInput;
        }
        return kExitOk;
    } catch (const archive::file_error& error) {
        return report_file_error(error);
    }
}

int run_verify(const std::string& carrier_path, const std::string& longest_destination) {
    std::string destination;
    if (!utf8_to_cp932(longest_destination, destination)) {
        std::fprintf(stderr,
                     "carrier: --longest-destination: the text cannot be written in code "
                     "page 932\n");
        return kExitBadInput;
    }
    destination = archive::normalize_destination(destination);

    std::vector<std::string> problems;
    int files = 0;
    walk_result result;
    try {
        file_reader reader(carrier_path);
        result = walk_carrier(reader, [&](int index, const archive::entry& entry,
                                          std::string_view name) {
            const std::string text(name);
            const std::string at = where(index, entry.start) + " (" + cp932_for_display(text) + ")";
            if (text.size() + 1 != entry.name_length) {
                problems.push_back(at + ": the name has a NUL byte before its end");
            }
            std::string reason;
            if (entry.kind == archive::entry_kind::command) {
                reason = check_command_text(text, destination);
            } else {
                ++files;
                reason = check_file_name(text, is_windows_entry(entry, name), destination);
            }
            if (!reason.empty()) problems.push_back(at + ": " + cp932_for_display(reason));
        });
    } catch (const archive::file_error& error) {
        return report_file_error(error);
    }
    if (result.length < kMinCarrierLength) {
        problems.insert(problems.begin(), "the carrier is " + std::to_string(result.length) +
                                              " bytes (at least " +
                                              std::to_string(kMinCarrierLength) + ")");
    }
    if (!result.fault.empty()) problems.push_back(result.fault);

    for (const std::string& problem : problems) {
        std::printf("%s: %s\n", carrier_path.c_str(), problem.c_str());
    }
    if (!problems.empty()) {
        std::printf("%s: %zu problem%s\n", carrier_path.c_str(), problems.size(),
                    problems.size() == 1 ? "" : "s");
        return kExitBadInput;
    }
    if (result.end + 1 == static_cast<std::uint32_t>(result.length)) {
        std::printf("%s: one byte follows the last entry; the installer ignores it\n",
                    carrier_path.c_str());
    }
    std::printf("%s: ok, archive start %lu, %d entries (%d files, %d commands)\n",
                carrier_path.c_str(), static_cast<unsigned long>(result.archive_start),
                result.entries, files, result.entries - files);
    return kExitOk;
}

int run_extract(const std::string& carrier_path, const std::string& destination,
                const std::string& windows_folder) {
    try {
        // A first pass over the structure alone, so a broken carrier writes nothing at all.
        std::string needs_windows_folder;
        {
            file_reader reader(carrier_path);
            const walk_result result = walk_carrier(
                reader, [&](int index, const archive::entry& entry, std::string_view name) {
                    if (is_windows_entry(entry, name) && needs_windows_folder.empty()) {
                        needs_windows_folder = where(index, entry.start) + " (" +
                                               cp932_for_display(std::string(name)) + ")";
                    }
                });
            if (!result.fault.empty()) {
                std::fprintf(stderr, "carrier: %s: %s\n", carrier_path.c_str(),
                             result.fault.c_str());
                return kExitBadInput;
            }
        }
        if (!needs_windows_folder.empty() && windows_folder.empty()) {
            std::fprintf(stderr,
                         "carrier: %s: %s goes to the Windows folder; give --windows-dir DIR\n",
                         carrier_path.c_str(), needs_windows_folder.c_str());
            return kExitBadInput;
        }
        if (!make_folders(destination)) {
            std::fprintf(stderr, "carrier: %s: cannot create the folder: %s\n", destination.c_str(),
                         std::strerror(errno));
            return kExitBadInput;
        }

        file_reader reader(carrier_path);
        folder_sink sink(destination, windows_folder);
        extract_hooks hooks;
        archive::install_archive(reader, sink, hooks, folder_sink::kDestinationRoot);
        hooks.finish();
        std::printf("%s: %d files written, %d commands not run\n", destination.c_str(),
                    sink.files_written(), hooks.commands());
        return kExitOk;
    } catch (const archive::file_error& error) {
        return report_file_error(error);
    }
}

}  // namespace carrier
