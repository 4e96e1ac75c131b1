// The whole run: platform check, one action, and the catch that turns every
// failure into one "Could not install: " line.
#pragma once


namespace installation {

void RunInstaller();

// Windows NT 4.0 or later: the only platform the driver runs on.
bool IsWindowsNT4OrLater();

}  // namespace installation
