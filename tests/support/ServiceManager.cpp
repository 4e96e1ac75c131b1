#include "ServiceManager.h"

namespace testsvc {

kit::ServiceHandle OpenServiceManager(DWORD access) {
    constexpr DWORD kPatienceMs = 10000, kStepMs = 50;
    for (DWORD waited = 0;; waited += kStepMs) {
        kit::ServiceHandle manager(OpenSCManagerA(nullptr, nullptr, access));
        if (manager || GetLastError() != RPC_S_SERVER_UNAVAILABLE || waited >= kPatienceMs) return manager;
        Sleep(kStepMs);
    }
}

}  // namespace testsvc
