// The manifest: a UTF-8 text that lists a carrier's entries in order, one a line. This file only
// reads its syntax; what an entry may hold is checked when it is packed.
#pragma once

#include <string>
#include <vector>

namespace carrier {

enum class entry_kind { file, windows_file, command };

struct manifest_entry {
    entry_kind kind;
    int line;            // 1-based line in the manifest, for every message about the entry
    std::string source;  // file entries: the path as written, relative to the manifest's folder
    std::string text;    // the archive name (file entries) or the command text, UTF-8
};

struct manifest_error {
    int line = 0;
    std::string message;
};

// Splits the manifest into entries. False with `error` set at the first line that does not
// follow the syntax; an empty list is not an error here.
bool parse_manifest(const std::string& text, std::vector<manifest_entry>& entries,
                    manifest_error& error);

}  // namespace carrier
