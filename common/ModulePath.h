// The file a module was loaded from.
#pragma once

#include <windows.h>

#include <string>

namespace kit {

// The full path of `module` (the program itself when null), however long.
// Up to Windows XP the system leaves a cut path without its terminating
// zero, so the length it gives is what counts, and a full buffer is grown
// and asked again. "" when the system gives nothing.
std::string ModulePath(HMODULE module = nullptr);

}  // namespace kit
