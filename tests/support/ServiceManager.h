// The service manager for a test. In a prefix whose server has just started,
// the first call can come before the service manager listens, and fails with
// RPC_S_SERVER_UNAVAILABLE: that one answer is waited out, boundedly.
#pragma once

#include <windows.h>

#include "UniqueHandle.h"

namespace testsvc {

kit::ServiceHandle OpenServiceManager(DWORD access = SC_MANAGER_ALL_ACCESS);

}  // namespace testsvc
