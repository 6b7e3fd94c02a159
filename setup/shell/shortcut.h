// The desktop shortcut: a shell link file in "<Windows folder>\ﾃﾞｽｸﾄｯﾌﾟ\" written through the
// shell link object over COM.
#pragma once

#include <string>

// Writes "<Windows folder>\ﾃﾞｽｸﾄｯﾌﾟ\<linkFileName>" pointing at targetPath with the description,
// and sets nothing else on the link. Failures show "SetPath Failed", "SetDescription Failed" or
// "Save Failed" in the application message box; the caller always goes on.
void CreateDesktopShortcut(std::string targetPath, std::string linkFileName,
                           std::string description);
