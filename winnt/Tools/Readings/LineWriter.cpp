#include "LineWriter.h"

#include <algorithm>
#include <cstring>

namespace readings {

namespace {

std::size_t WholeLines(const char *text, std::size_t length) {
    while (length > 0 && text[length - 1] != '\n') --length;
    return length;
}

std::uint64_t LineEnds(const char *text, std::size_t length) {
    return static_cast<std::uint64_t>(std::count(text, text + length, '\n'));
}

}  // namespace

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
    std::size_t done = 0;
    while (done < length) {
        const DWORD chunk = length - done > 0x100000 ? 0x100000 : static_cast<DWORD>(length - done);
        DWORD written = 0;
        const BOOL ok = WriteFile(handle_, text + done, chunk, &written, nullptr);
        if (ok) done += written;
        // A pipe may take part of a chunk; a disk file that does is full.
        if (ok && written > 0 && (written == chunk || !disk_)) continue;
        error_ = ok ? 0 : GetLastError();
        if (error_ == 0) error_ = disk_ ? ERROR_DISK_FULL : ERROR_WRITE_FAULT;
        const std::size_t kept = startKnown ? CutToWholeLines(start.QuadPart, text, length, done) : WholeLines(text, done);
        lines_ += LineEnds(text, kept);
        return false;
    }
    lines_ += LineEnds(text, length);
    return true;
}

std::size_t LineWriter::CutToWholeLines(std::int64_t start, const char *text, std::size_t length,
                                        std::size_t reached) {
    // What reached the file of this write: up to its end (the system may
    // have written part of it before the failure, or more than it said).
    DWORD high = 0;
    SetLastError(NO_ERROR);
    const DWORD low = GetFileSize(handle_, &high);
    if (low != INVALID_FILE_SIZE || GetLastError() == NO_ERROR) {
        const std::int64_t size = (static_cast<std::int64_t>(high) << 32) | low;
        const std::int64_t inFile = size > start ? size - start : 0;
        reached = static_cast<std::uint64_t>(inFile) > length ? length : static_cast<std::size_t>(inFile);
    }
    const std::size_t keep = WholeLines(text, reached);
    LARGE_INTEGER end;
    end.QuadPart = start + static_cast<std::int64_t>(keep);
    LONG endHigh = end.HighPart;
    SetFilePointer(handle_, static_cast<LONG>(end.LowPart), &endHigh, FILE_BEGIN);
    SetEndOfFile(handle_);
    return keep;
}

}  // namespace readings
