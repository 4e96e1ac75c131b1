#include "SystemText.h"

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

std::string SystemErrorReport(DWORD code) {
    const std::string text = LookUpSystemText(code, kit::kSystemDefaultLanguage, kReportTextLimit);
    return text.empty() ? UnknownErrorLine(code) : text;
}

std::string SystemErrorText(DWORD code) {
    return TrimSystemText(LookUpSystemText(code, kit::kAnyLanguage, kMessageTextLimit));
}

}  // namespace installation
