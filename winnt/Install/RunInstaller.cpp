// The run: platform check, one action, and the catch that turns every
// failure into one line.
#include "RunInstaller.h"

#include <windows.h>

#include <new>
#include <stdexcept>

#include "CommandLine.h"
#include "Console.h"
#include "Failure.h"
#include "InstallProcedure.h"
#include "UninstallProcedure.h"
#include "Usage.h"

namespace installation {

bool IsWindowsNT4OrLater() {
    static_assert(sizeof(OSVERSIONINFOA) == 148, "the plain version record");
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    return GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion >= 4;
}

void RunReportingFailure(const std::function<void()> &steps) {
    std::string message;
    try {
        steps();
        return;
    } catch (const InstallFailure &failure) {
        message = failure.what();
    } catch (const std::bad_alloc &) {
        // The buffers are gone with the stack: there is room for the line.
        message = OutOfMemory().what();
    } catch (const std::length_error &) {
        message = OutOfMemory().what();
    }
    WriteLine("Could not install: " + message);
}

void RunInstaller() {
    RunReportingFailure([] {
        if (!IsWindowsNT4OrLater())
            throw InstallFailure("Mirvo.sys can only be installed on Windows NT version 4.0 or higher");
        const InstallerOptions options = ParseOptions(GetCommandLineA());
        switch (options.action) {
        case InstallerAction::Uninstall: DoUninstall(options); break;
        case InstallerAction::Install: DoInstall(options); break;
        case InstallerAction::Usage: ShowUsage(); break;
        }
    });
}

}  // namespace installation
