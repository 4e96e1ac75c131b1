// The kernel service that loads the driver.
#include "DriverService.h"

#include <windows.h>

#include "Console.h"
#include "Failure.h"
#include "Names.h"
#include "SystemPaths.h"
#include "SystemText.h"
#include "UniqueHandle.h"

namespace installation {

namespace {

kit::ServiceHandle OpenManager() {
    kit::ServiceHandle manager(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
    if (!manager) throw InstallFailure("Could not open Service control manager");
    return manager;
}

// Whether the service may be running. A status that cannot be read counts
// as running: a stop control on a stopped service does no harm.
bool MayBeRunning(const kit::ServiceHandle &service, SERVICE_STATUS &status) {
    status = SERVICE_STATUS{};
    if (!QueryServiceStatus(service.get(), &status)) return true;
    return status.dwCurrentState != SERVICE_STOPPED;
}

}  // namespace

void CreateDriverService() {
    const kit::ServiceHandle manager = OpenManager();
    const std::string imagePath = DriversDirPath() + kDriverFile;
    const kit::ServiceHandle service(CreateServiceA(manager.get(), kServiceName, kServiceDisplayName, SERVICE_ALL_ACCESS,
                                               SERVICE_KERNEL_DRIVER, SERVICE_AUTO_START, SERVICE_ERROR_NORMAL,
                                               imagePath.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr));
    if (!service) throw PlatformError();

    const char *noArguments[] = {nullptr};
    if (StartServiceA(service.get(), 0, noArguments)) {
        WriteLine("Driver installed and started ok");
    } else {
        const DWORD code = GetLastError();
        WriteLine("Non-fatal error: Could not start driver");
        ReportSystemError(code);
    }
}

void RemoveDriverService() {
    const kit::ServiceHandle manager = OpenManager();
    const kit::ServiceHandle service(OpenServiceA(manager.get(), kServiceName, SERVICE_ALL_ACCESS));
    if (!service) {
        WriteLine("Error removing driver. Driver is not present");
        return;
    }
    // No wait for the stopped state: the deletion follows at once.
    SERVICE_STATUS status;
    if (MayBeRunning(service, status) && !ControlService(service.get(), SERVICE_CONTROL_STOP, &status))
        throw InstallFailure("Could not stop driver. " + SystemErrorText(GetLastError()));

    if (DeleteService(service.get()))
        WriteLine("Service deleted");
    else
        WriteLine("Non-fatal error: Delete service failed");
}

}  // namespace installation
