#include "SystemText.h"

#include "Console.h"
#include "MessageText.h"

namespace installation {

namespace {

// The system's text for `code`, or "" when it has none.
std::string LookUpSystemText(DWORD code, DWORD language, std::string::size_type limit) {
    return kit::MessageText(code, language, limit).value_or(std::string());
}

}  // namespace

std::string TrimSystemText(const std::string &text) {
    std::string::size_type end = text.size();
    while (end > 0 && (static_cast<unsigned char>(text[end - 1]) < 33 || text[end - 1] == '.')) --end;
    return text.substr(0, end);
}

std::string UnknownErrorLine(DWORD code) { return kit::UnknownErrorText(code); }

bool ReportSystemError(DWORD code) {
    if (code == 0) return true;
    const std::string text = LookUpSystemText(code, kit::kSystemDefaultLanguage, kReportTextLimit);
    // The system's text brings its own line break, so an empty line follows.
    WriteLine(text.empty() ? UnknownErrorLine(code) : text);
    return false;
}

std::string SystemErrorText(DWORD code) {
    return TrimSystemText(LookUpSystemText(code, kit::kAnyLanguage, kMessageTextLimit));
}

}  // namespace installation
