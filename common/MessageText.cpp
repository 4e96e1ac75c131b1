#include "MessageText.h"

#include "UniqueHandle.h"

namespace kit {

std::optional<std::string> MessageText(DWORD code, DWORD language, std::string::size_type limit,
                                       HMODULE module) {
    // The system allocates the room: into a fixed buffer, a text that does
    // not fit would come back as nothing at all.
    const DWORD source = module ? FORMAT_MESSAGE_FROM_HMODULE : FORMAT_MESSAGE_FROM_SYSTEM;
    char *text = nullptr;
    const DWORD length =
        FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS | source, module, code,
                       language, reinterpret_cast<LPSTR>(&text), 0, nullptr);
    const LocalMemory owner(text);
    if (length == 0 || text == nullptr) return std::nullopt;
    return std::string(text, length).substr(0, limit);
}

}  // namespace kit
