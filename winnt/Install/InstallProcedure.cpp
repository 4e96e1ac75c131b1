// Install: files, then the service (created and started), then the event-log
// source.
#include "InstallProcedure.h"

#include <windows.h>

#include "Console.h"
#include "ConsoleKeys.h"
#include "DriverFiles.h"
#include "DriverService.h"
#include "EventLogSource.h"
#include "SystemPaths.h"

namespace installation {

void DoInstall(const InstallerOptions &options) {
    if (!options.noCopy) {
        const std::string sourceDir = ProgramFolder();
        WriteLine("Installing 4 channel loadcell card driver from " + sourceDir);
        CopyDriverFiles(sourceDir);
    }
    CreateDriverService();
    AddEventLogSource();
    WriteLine("Installation complete. Use Configkvt to configure cards");
    if (!options.noQuestion) PressAnyKey();
}

}  // namespace installation
