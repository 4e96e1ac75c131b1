#include "Console.h"

#include "SystemText.h"

namespace installation {

std::string ConsoleLine(const std::string &text) {
    std::string line;
    line.reserve(text.size() + 2);
    for (std::string::size_type i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) line += '\r';
        line += text[i];
    }
    return line + "\r\n";
}

void WriteLine(const std::string &text) {
    const std::string line = ConsoleLine(text);
    DWORD written = 0;
    const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    if (out == nullptr || out == INVALID_HANDLE_VALUE ||
        !WriteFile(out, line.data(), static_cast<DWORD>(line.size()), &written, nullptr) ||
        written != line.size())
        throw OutputLost();
}

bool ReportSystemError(DWORD code) {
    if (code == 0) return true;
    WriteLine(SystemErrorReport(code));
    return false;
}

}  // namespace installation
