// Output paths of file entries and the folders created for them.
#include "setup/archive/paths.h"

#include <algorithm>

#include "setup/archive/format.h"

namespace archive {

bool is_windows_folder_entry(std::string_view name) {
    return !name.empty() && name.front() == kWindowsEntryLead;
}

std::string windows_folder_output_path(std::string_view windows_folder, std::string_view name) {
    std::string path(windows_folder);
    path += '\\';
    path += name.substr(std::min(name.size(), kWindowsEntrySkip));
    return path;
}

std::string destination_output_path(std::string_view destination, std::string_view name) {
    std::string path(destination);
    path += name;
    return path;
}

std::vector<std::string> folders_to_create(std::string_view path) {
    std::vector<std::string> folders;
    for (std::size_t i = 1; i < path.size(); ++i) {
        // A separator after ":" ends a drive's root, which cannot be created.
        if (path[i] == '\\' && path[i - 1] != ':') folders.emplace_back(path.substr(0, i));
    }
    return folders;
}

bool fits_path_buffer(std::string_view path) { return path.size() < kPathBufferSize; }

}  // namespace archive
