#include "SystemText.h"

#include <cstdio>

#include "MessageText.h"

namespace formrt {

std::string SystemText(DWORD code) {
    std::optional<std::string> text = kit::MessageText(code, kit::kAnyLanguage);
    if (!text) {
        char unknown[32];
        std::snprintf(unknown, sizeof unknown, "Unknown error %lx", static_cast<unsigned long>(code));
        return unknown;
    }
    // A report is one line: the message table's line end goes.
    while (!text->empty() && (text->back() == '\r' || text->back() == '\n' || text->back() == ' ')) text->pop_back();
    return *text;
}

}  // namespace formrt
