// The tool's four commands, each run from main with its parsed arguments; each returns the
// process exit status.
#pragma once

#include <string>

namespace carrier {

enum exit_status { kExitOk = 0, kExitBadInput = 1, kExitUsage = 2 };

struct pack_options {
    std::string stub;
    std::string out;
    std::string manifest;
    std::string longest_destination;  // UTF-8, as given on the command line
};

int run_pack(const pack_options& options);
int run_list(const std::string& carrier_path);
int run_verify(const std::string& carrier_path, const std::string& longest_destination);
int run_extract(const std::string& carrier_path, const std::string& destination,
                const std::string& windows_folder);

// Progress lines go to a terminal only; piped output stays exactly the report.
bool showing_progress();

}  // namespace carrier
