// Uninstall, after a confirmation: files, then the event-log source, then the
// service.
#include "UninstallProcedure.h"

#include <windows.h>

#include "Console.h"
#include "ConsoleKeys.h"
#include "DriverFiles.h"
#include "DriverService.h"
#include "EventLogSource.h"

namespace installation {

namespace {

bool UserConfirmsRemoval() {
    WriteLine("This will remove the drivers for the Qorim 4 channel loadcell card");
    WriteLine("Applications using this card will not longer work correctly");
    WriteLine("Do you wish to continue? [Y/N]");
    const char answer = ReadKeyChar();
    return answer == 'y' || answer == 'Y';
}

}  // namespace

void DoUninstall(const InstallerOptions &options) {
    if (!options.noQuestion && !UserConfirmsRemoval()) return;
    DeleteDriverFiles();
    RemoveEventLogSource();
    RemoveDriverService();
    WriteLine("Mirvo driver removed");
}

}  // namespace installation
