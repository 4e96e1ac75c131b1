#include "Output.h"

#include <cstring>

#include "MessageText.h"

namespace kvtlog {

LineWriter::LineWriter(HANDLE handle) : handle_(handle), disk_(GetFileType(handle) == FILE_TYPE_DISK) {}

bool LineWriter::Append(const char *text, std::size_t length) {
    if (error_ != 0) return false;
    if (length > kBufferSize - used_) {
        if (!Flush()) return false;
        if (length > kBufferSize) return WriteAll(text, length);
    }
    std::memcpy(buffer_ + used_, text, length);
    used_ += length;
    return true;
}

bool LineWriter::Flush() {
    if (error_ != 0) return false;
    if (used_ == 0) return true;
    const bool ok = WriteAll(buffer_, used_);
    used_ = 0;
    return ok;
}

bool LineWriter::WriteAll(const char *text, std::size_t length) {
    // Where the last whole line ends, to cut a failed write back to.
    LONG high = 0;
    DWORD low = 0;
    bool positionKnown = false;
    if (disk_) {
        SetLastError(NO_ERROR);
        low = SetFilePointer(handle_, 0, &high, FILE_CURRENT);
        positionKnown = low != INVALID_SET_FILE_POINTER || GetLastError() == NO_ERROR;
    }
    while (length > 0) {
        const DWORD chunk = length > 0x100000 ? 0x100000 : static_cast<DWORD>(length);
        DWORD written = 0;
        if (!WriteFile(handle_, text, chunk, &written, nullptr) || written == 0) {
            error_ = GetLastError();
            if (error_ == 0) error_ = ERROR_WRITE_FAULT;
            if (positionKnown) {
                SetFilePointer(handle_, static_cast<LONG>(low), &high, FILE_BEGIN);
                SetEndOfFile(handle_);
            }
            return false;
        }
        text += written;
        length -= written;
    }
    return true;
}

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
