// The whole run: platform check, one action, and the catch that turns every
// failure into one "Could not install: " line.
#pragma once

#include <functional>

namespace installation {

void RunInstaller();

// Runs `steps`; the failure they end with, memory that cannot be had
// included, becomes the one "Could not install: " line.
void RunReportingFailure(const std::function<void()> &steps);

// Windows NT 4.0 or later: the only platform the driver runs on.
bool IsWindowsNT4OrLater();

}  // namespace installation
