// Install: files, then the service (created and started), then the event-log
// source.
#pragma once

#include "CommandLine.h"

namespace installation {

void DoInstall(const InstallerOptions &options);

}  // namespace installation
