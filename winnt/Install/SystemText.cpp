#include "SystemText.h"

#include <cstdio>

#include "Console.h"
#include "Installation.h"

namespace installation {

namespace {

const DWORD kSystemDefaultLanguage = MAKELANGID(LANG_NEUTRAL, SUBLANG_SYS_DEFAULT);
const DWORD kPlatformsChoiceOfLanguage = 0;

}  // namespace

std::string LookUpSystemText(DWORD code, DWORD language, std::string::size_type limit) {
    // The system allocates the room: a fixed buffer would make it return
    // nothing at all for a text longer than the buffer.
    char *text = nullptr;
    const DWORD length =
        FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ALLOCATE_BUFFER,
                       nullptr, code, language, reinterpret_cast<char *>(&text), 0, nullptr);
    const LocalMemory owner(text);
    if (length == 0 || text == nullptr) return std::string();
    return std::string(text, length).substr(0, limit);
}

std::string TrimSystemText(const std::string &text) {
    std::string::size_type end = text.size();
    while (end > 0 && (static_cast<unsigned char>(text[end - 1]) < 33 || text[end - 1] == '.')) --end;
    return text.substr(0, end);
}

std::string UnknownErrorLine(DWORD code) {
    char line[32];
    std::snprintf(line, sizeof line, "Unknown error %lX", static_cast<unsigned long>(code));
    return line;
}

bool ReportSystemError(DWORD code) {
    if (code == 0) return true;
    const std::string text = LookUpSystemText(code, kSystemDefaultLanguage, kReportTextLimit);
    // The system's text brings its own line break, so an empty line follows.
    WriteLine(text.empty() ? UnknownErrorLine(code) : text);
    return false;
}

std::string SystemErrorText(DWORD code) {
    return TrimSystemText(LookUpSystemText(code, kPlatformsChoiceOfLanguage, kMessageTextLimit));
}

}  // namespace installation
