#include "ServiceManager.h"

namespace testsvc {

kit::ServiceHandle OpenServiceManager(DWORD access) {
    return kit::ServiceHandle(OpenSCManagerA(nullptr, nullptr, access));
}

kit::ServiceHandle OpenMirvoService(DWORD access) {
    const kit::ServiceHandle manager = OpenServiceManager(SC_MANAGER_CONNECT);
    return kit::ServiceHandle(manager ? OpenServiceA(manager.get(), "Mirvo", access) : nullptr);
}

std::string CreateMirvoService(const std::string &imagePath) {
    const kit::ServiceHandle manager = OpenServiceManager(SC_MANAGER_ALL_ACCESS);
    if (!manager) return "OpenSCManager failed: " + std::to_string(GetLastError());
    const kit::ServiceHandle service(CreateServiceA(manager.get(), "Mirvo", "Mirvo", SERVICE_ALL_ACCESS,
                                                    SERVICE_KERNEL_DRIVER, SERVICE_DEMAND_START, SERVICE_ERROR_NORMAL,
                                                    imagePath.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr));
    if (!service && GetLastError() != ERROR_SERVICE_EXISTS)
        return "CreateService(Mirvo) failed: " + std::to_string(GetLastError());
    return "";
}

std::optional<DWORD> MirvoServiceState() {
    const kit::ServiceHandle service = OpenMirvoService(SERVICE_QUERY_STATUS);
    SERVICE_STATUS status = {};
    if (!service || !QueryServiceStatus(service.get(), &status)) return std::nullopt;
    return status.dwCurrentState;
}

}  // namespace testsvc
