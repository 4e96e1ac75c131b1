// Uninstall, after a confirmation: files, then the event-log source, then the
// service.
#pragma once

#include "CommandLine.h"

namespace installation {

void DoUninstall(const InstallerOptions &options);

}  // namespace installation
