#include "MessageText.h"

#include <cstdio>

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

std::string TrimLineEnd(std::string text) {
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ')) text.pop_back();
    return text;
}

std::string PlatformErrorMessage(DWORD code, const std::string &systemText) {
    if (code == 0) return "A Win32 API function failed";
    char head[48];
    std::snprintf(head, sizeof head, "Win32 Error.  Code: %ld.", static_cast<long>(static_cast<LONG>(code)));
    return std::string(head) + "\n" + systemText;
}

std::string UnknownErrorText(DWORD code, HexDigits digits) {
    char text[32];
    std::snprintf(text, sizeof text, digits == HexDigits::Upper ? "Unknown error %lX" : "Unknown error %lx",
                  static_cast<unsigned long>(code));
    return text;
}

}  // namespace kit
