#include "Output.h"

#include "MessageText.h"

namespace kvtlog {

void WriteError(const std::string &text) {
    const HANDLE handle = GetStdHandle(STD_ERROR_HANDLE);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

void WriteErrorLine(const std::string &line) { WriteError(line + "\r\n"); }

bool IsConsole(HANDLE handle) {
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return false;
    if (GetFileType(handle) != FILE_TYPE_CHAR) return false;
    CONSOLE_SCREEN_BUFFER_INFO info;
    return GetConsoleScreenBufferInfo(handle, &info) != FALSE;
}

std::string SystemText(DWORD code) {
    std::string text = kit::MessageText(code, kit::kSystemDefaultLanguage, 1024).value_or("");
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ' || text.back() == '.'))
        text.pop_back();
    return text;
}

}  // namespace kvtlog
