// Carrying out a command entry of the archive: a desktop shortcut or a program launch.
#pragma once

#include <string>

#include "setup/archive/format.h"

// Expands the command text in the name buffer with the destination folder (which ends in a
// backslash), writes the result back over the buffer and acts on it. Reports nothing to the caller.
void RunCommandEntry(char (&nameBuffer)[archive::kMaxNameLength], const std::string& destFolder);
