// The destination dialog's plain rules, kept free of the windowing calls so they can be checked
// anywhere: the default destination folder, the version command test, and where the minimised
// dialog draws its icon.
#pragma once

#include <string>

// The size of the buffer the Windows folder is read into; only its first character is used.
constexpr unsigned int kWindowsFolderPrefixSize = 128;

// The first character of the Windows folder, unchanged (d:\win95 gives d:\Program Files), then
// ":\Program Files", with no trailing backslash.
std::string DefaultDestFolder(const char* windowsFolder);

// The system uses the low four bits of a system-menu command id, so 16 to 31 all mean the
// version box; the system's own commands (0xF000 and up) never do.
bool IsVersionCommand(unsigned int commandId);

struct IconPoint {
    int x;
    int y;
};

// Where a minimised dialog draws its icon: centred in the client rectangle, rounding half a
// pixel down and right, with C++ division truncating toward zero for a client smaller than the
// icon.
IconPoint MinimizedIconPosition(int clientLeft, int clientTop, int clientRight, int clientBottom,
                                int iconWidth, int iconHeight);
