#include "ModulePath.h"

namespace kit {

std::string ModulePath(HMODULE module) {
    // A long path ("\\?\" names) has at most 32767 characters.
    for (DWORD size = MAX_PATH; size <= 32768; size *= 2) {
        std::string path(size, '\0');
        const DWORD length = GetModuleFileNameA(module, path.data(), size);
        if (length == 0) return std::string();
        if (length < size) {
            path.resize(length);
            return path;
        }
    }
    return std::string();
}

}  // namespace kit
