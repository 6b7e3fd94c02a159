// Line syntax of the manifest:
//   file SOURCE NAME           an ordinary file entry
//   windows-file SOURCE NAME   a file for the Windows folder (NAME begins with W\)
//   command TEXT               a command entry; TEXT is the rest of the line, taken as it is
// Words are separated by blanks; a word may be put in double quotes to hold blanks, and "" inside
// quotes stands for one double quote. Backslashes are ordinary characters, since archive names
// use them as separators. Lines whose first non-blank character is # are comments.
#include "tools/carrier/manifest.h"

namespace carrier {

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }

// Reads the words of `rest`. False with a message when a quote is not closed.
bool split_words(const std::string& rest, std::vector<std::string>& words, std::string& message) {
    size_t i = 0;
    while (true) {
        while (i < rest.size() && is_blank(rest[i])) ++i;
        if (i == rest.size()) return true;
        std::string word;
        while (i < rest.size() && !is_blank(rest[i])) {
            if (rest[i] != '"') {
                word += rest[i++];
                continue;
            }
            ++i;  // opening quote
            while (true) {
                if (i == rest.size()) {
                    message = "a double quote is not closed";
                    return false;
                }
                if (rest[i] == '"') {
                    if (i + 1 < rest.size() && rest[i + 1] == '"') {
                        word += '"';
                        i += 2;
                        continue;
                    }
                    ++i;  // closing quote
                    break;
                }
                word += rest[i++];
            }
        }
        words.push_back(word);
    }
}

}  // namespace

bool parse_manifest(const std::string& text, std::vector<manifest_entry>& entries,
                    manifest_error& error) {
    size_t start = 0;
    int line_number = 0;
    // A UTF-8 byte order mark at the very start is editor decoration, not text.
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) start = 3;
    while (start < text.size()) {
        ++line_number;
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();

        size_t first = 0;
        while (first < line.size() && is_blank(line[first])) ++first;
        if (first == line.size() || line[first] == '#') continue;

        size_t keyword_end = first;
        while (keyword_end < line.size() && !is_blank(line[keyword_end])) ++keyword_end;
        std::string keyword = line.substr(first, keyword_end - first);
        size_t rest_start = keyword_end;
        while (rest_start < line.size() && is_blank(line[rest_start])) ++rest_start;
        std::string rest = line.substr(rest_start);

        manifest_entry entry{entry_kind::file, line_number, {}, {}};
        if (keyword == "command") {
            while (!rest.empty() && is_blank(rest.back())) rest.pop_back();
            if (rest.empty()) {
                error = {line_number, "command has no text"};
                return false;
            }
            entry.kind = entry_kind::command;
            entry.text = rest;
        } else if (keyword == "file" || keyword == "windows-file") {
            std::vector<std::string> words;
            std::string message;
            if (!split_words(rest, words, message)) {
                error = {line_number, message};
                return false;
            }
            if (words.size() != 2) {
                error = {line_number, keyword + " needs a source path and an archive name"};
                return false;
            }
            entry.kind = keyword == "file" ? entry_kind::file : entry_kind::windows_file;
            entry.source = words[0];
            entry.text = words[1];
        } else {
            error = {line_number, "unknown keyword \"" + keyword +
                                      "\" (expected file, windows-file or command)"};
            return false;
        }
        entries.push_back(entry);
    }
    return true;
}

}  // namespace carrier
