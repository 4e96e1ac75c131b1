// The handle owners the installer uses.
#pragma once

#include "UniqueHandle.h"

namespace installation {
using kit::LocalMemory;
using kit::RegKey;
using kit::ServiceHandle;
}  // namespace installation
