// The handle owners mirvocfg uses.
#pragma once

#include "UniqueHandle.h"

namespace cfg {
using kit::RegKey;
using kit::ServiceHandle;
}  // namespace cfg
