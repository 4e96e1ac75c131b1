#include "SystemText.h"

#include <cstdio>

#include "UniqueHandle.h"

namespace formrt {

std::string SystemText(DWORD code) {
    kit::LocalMemory buffer;
    const DWORD length =
        FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<LPSTR>(buffer.receive()), 0, nullptr);
    if (length == 0 || !buffer) {
        char unknown[32];
        std::snprintf(unknown, sizeof unknown, "Unknown error %lx", static_cast<unsigned long>(code));
        return unknown;
    }
    std::string text(static_cast<const char *>(buffer.get()), length);
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ')) text.pop_back();
    return text;
}

}  // namespace formrt
