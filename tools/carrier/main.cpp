// carrier: builds installer carriers (a stub followed by the payload archive) and lists, checks
// and unpacks them. Exit status 0 when all went well, 1 for bad input, 2 for a wrong command line.
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tools/carrier/commands.h"
#include "tools/carrier/rules.h"

namespace carrier {

bool showing_progress() { return isatty(STDOUT_FILENO) == 1; }

namespace {

constexpr char kUsage[] =
    "usage: carrier pack --stub FILE --out FILE [--longest-destination TEXT] MANIFEST\n"
    "       carrier list FILE\n"
    "       carrier verify [--longest-destination TEXT] FILE\n"
    "       carrier extract FILE DEST [--windows-dir DIR]\n"
    "       carrier --help\n"
    "\n"
    "pack     writes the stub, the archive marker and the manifest's entries to --out\n"
    "list     shows the prefix length, the archive start and every entry\n"
    "verify   checks the whole carrier and names what is wrong where\n"
    "extract  writes the files below DEST (Windows-folder entries below DIR);\n"
    "         commands are listed, not run\n"
    "\n"
    "--longest-destination  the longest destination folder that names and commands must fit\n"
    "                       (default \"C:\\Program Files\\\")\n"
    "exit status: 0 ok, 1 bad input, 2 usage\n";

int usage_error(const std::string& message) {
    std::fprintf(stderr, "carrier: %s\n%s", message.c_str(), kUsage);
    return kExitUsage;
}

// Splits the arguments after the command into the options named in `with_value` and the rest.
// False with a message for an unknown option or one without its value.
bool split_arguments(const std::vector<std::string>& args,
                     const std::vector<std::string>& with_value,
                     std::vector<std::pair<std::string, std::string>>& options,
                     std::vector<std::string>& positional, std::string& message) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
            positional.push_back(arg);
            continue;
        }
        bool known = false;
        for (const std::string& name : with_value) known = known || arg == name;
        if (!known) {
            message = "unknown option " + arg;
            return false;
        }
        if (i + 1 == args.size()) {
            message = arg + " needs a value";
            return false;
        }
        for (const auto& option : options) {
            if (option.first == arg) {
                message = arg + " given twice";
                return false;
            }
        }
        options.emplace_back(arg, args[++i]);
    }
    return true;
}

std::string option_value(const std::vector<std::pair<std::string, std::string>>& options,
                         const std::string& name, const std::string& fallback) {
    for (const auto& option : options) {
        if (option.first == name) return option.second;
    }
    return fallback;
}

bool has_option(const std::vector<std::pair<std::string, std::string>>& options,
                const std::string& name) {
    for (const auto& option : options) {
        if (option.first == name) return true;
    }
    return false;
}

int run(const std::vector<std::string>& argv) {
    if (argv.empty()) return usage_error("no command given");
    for (const std::string& arg : argv) {
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return kExitOk;
        }
    }
    const std::string command = argv[0];
    const std::vector<std::string> args(argv.begin() + 1, argv.end());
    std::vector<std::pair<std::string, std::string>> options;
    std::vector<std::string> positional;
    std::string message;

    if (command == "pack") {
        if (!split_arguments(args, {"--stub", "--out", "--longest-destination"}, options,
                             positional, message)) {
            return usage_error(message);
        }
        if (!has_option(options, "--stub") || !has_option(options, "--out")) {
            return usage_error("pack needs --stub and --out");
        }
        if (positional.size() != 1) return usage_error("pack takes one manifest");
        pack_options pack;
        pack.stub = option_value(options, "--stub", {});
        pack.out = option_value(options, "--out", {});
        pack.manifest = positional[0];
        pack.longest_destination =
            option_value(options, "--longest-destination", kDefaultLongestDestination);
        return run_pack(pack);
    }
    if (command == "list") {
        if (!split_arguments(args, {}, options, positional, message)) return usage_error(message);
        if (positional.size() != 1) return usage_error("list takes one carrier file");
        return run_list(positional[0]);
    }
    if (command == "verify") {
        if (!split_arguments(args, {"--longest-destination"}, options, positional, message)) {
            return usage_error(message);
        }
        if (positional.size() != 1) return usage_error("verify takes one carrier file");
        return run_verify(positional[0], option_value(options, "--longest-destination",
                                                      kDefaultLongestDestination));
    }
    if (command == "extract") {
        if (!split_arguments(args, {"--windows-dir"}, options, positional, message)) {
            return usage_error(message);
        }
        if (positional.size() != 2) return usage_error("extract takes a carrier file and a folder");
        if (has_option(options, "--windows-dir") &&
            option_value(options, "--windows-dir", {}).empty()) {
            return usage_error("--windows-dir needs a folder");
        }
        return run_extract(positional[0], positional[1],
                           option_value(options, "--windows-dir", {}));
    }
    return usage_error("unknown command " + command);
}

}  // namespace

}  // namespace carrier

int main(int argc, char** argv) {
    return carrier::run(std::vector<std::string>(argv + 1, argv + argc));
}
