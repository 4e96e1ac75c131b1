#include "SystemText.h"

#include <utility>

#include "MessageText.h"

namespace formrt {

std::string SystemText(DWORD code) {
    std::optional<std::string> text = kit::MessageText(code, kit::kAnyLanguage);
    // The runtime's own report: lower-case digits, as the platform's
    // convention writes "%x".
    if (!text) return kit::UnknownErrorText(code, kit::HexDigits::Lower);
    // A report is one line: the message table's line end goes.
    return kit::TrimLineEnd(std::move(*text));
}

}  // namespace formrt
