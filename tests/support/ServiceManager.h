// The service manager for a test, and the driver's service "Mirvo" in it:
// the one helper every test of the service uses. In a prefix whose server has
// just started, the first call can come before the service manager listens,
// and fails with RPC_S_SERVER_UNAVAILABLE: that one answer is waited out,
// boundedly.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "UniqueHandle.h"

namespace testsvc {

kit::ServiceHandle OpenServiceManager(DWORD access = SC_MANAGER_ALL_ACCESS);

// The service "Mirvo" opened for `access`; empty when it cannot be (the
// last error says why).
kit::ServiceHandle OpenMirvoService(DWORD access);

// Creates "Mirvo" as a demand-start kernel driver service for `imagePath`
// (one that is there already is fine). "" or what failed.
std::string CreateMirvoService(const std::string &imagePath);

// Its current state (SERVICE_RUNNING, ...); none when it cannot be asked.
std::optional<DWORD> MirvoServiceState();

}  // namespace testsvc
