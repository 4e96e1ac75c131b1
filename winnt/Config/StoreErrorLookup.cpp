#include "StoreErrorLookup.h"

namespace cfg {

std::optional<std::string> LookUpMessageText(DWORD code, HMODULE module) {
    // The system allocates the buffer: into a fixed one, a text that does not
    // fit would give nothing at all.
    DWORD source = module ? FORMAT_MESSAGE_FROM_HMODULE : FORMAT_MESSAGE_FROM_SYSTEM;
    char *buffer = nullptr;
    DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS | source,
                                  module, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_SYS_DEFAULT),
                                  reinterpret_cast<LPSTR>(&buffer), 0, nullptr);
    std::optional<std::string> text;
    if (length && buffer) text = std::string(buffer, length);
    if (buffer) LocalFree(buffer);
    return text;
}

}  // namespace cfg
