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
    // Where this write starts in the file, to cut a failed write back to its
    // last whole line.
    LARGE_INTEGER start = {};
    bool startKnown = false;
    if (disk_) {
        LONG high = 0;
        SetLastError(NO_ERROR);
        const DWORD low = SetFilePointer(handle_, 0, &high, FILE_CURRENT);
        startKnown = low != INVALID_SET_FILE_POINTER || GetLastError() == NO_ERROR;
        start.LowPart = low;
        start.HighPart = high;
    }
    const char *const whole = text;
    const std::size_t wholeLength = length;
    while (length > 0) {
        const DWORD chunk = length > 0x100000 ? 0x100000 : static_cast<DWORD>(length);
        DWORD written = 0;
        if (!WriteFile(handle_, text, chunk, &written, nullptr) || written == 0) {
            error_ = GetLastError();
            if (error_ == 0) error_ = ERROR_WRITE_FAULT;
            if (startKnown) CutToWholeLines(start.QuadPart, whole, wholeLength);
            return false;
        }
        text += written;
        length -= written;
    }
    return true;
}

void LineWriter::CutToWholeLines(std::int64_t start, const char *text, std::size_t length) {
    // What reached the file of this write: up to its end (the system may
    // have written part of it before the failure).
    DWORD high = 0;
    const DWORD low = GetFileSize(handle_, &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return;
    const std::int64_t size = (static_cast<std::int64_t>(high) << 32) | low;
    std::int64_t reached = size - start;
    if (reached < 0) reached = 0;
    if (static_cast<std::uint64_t>(reached) > length) reached = static_cast<std::int64_t>(length);
    // Keep up to the last line end within it.
    std::size_t keep = static_cast<std::size_t>(reached);
    while (keep > 0 && text[keep - 1] != '\n') --keep;
    LARGE_INTEGER end;
    end.QuadPart = start + static_cast<std::int64_t>(keep);
    LONG endHigh = end.HighPart;
    SetFilePointer(handle_, static_cast<LONG>(end.LowPart), &endHigh, FILE_BEGIN);
    SetEndOfFile(handle_);
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
