// kvtlog's output: a file or standard output written through a buffer of
// its own, whole lines only, and its texts on standard error.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace kvtlog {

// Writes whole lines to `handle` through one 64 KB buffer: no allocation
// per line, one WriteFile per buffer (or per Flush). On a disk file a write
// that fails (a full disk) is cut back to the last whole line that reached
// the file, so the file holds every line that fitted and never ends in half
// a line. After a failure nothing more is written.
class LineWriter {
public:
    explicit LineWriter(HANDLE handle);
    LineWriter(const LineWriter &) = delete;
    LineWriter &operator=(const LineWriter &) = delete;

    // Adds `text` (whole lines); writes the buffer first when it lacks room.
    // False once a write has failed.
    bool Append(const char *text, std::size_t length);
    bool Append(const std::string &text) { return Append(text.data(), text.size()); }
    // Writes what the buffer holds. False once a write has failed.
    bool Flush();

    // The system's code of the failed write (0: none).
    DWORD Error() const { return error_; }

private:
    static constexpr std::size_t kBufferSize = 65536;
    bool WriteAll(const char *text, std::size_t length);
    void CutToWholeLines(std::int64_t start, const char *text, std::size_t length);

    HANDLE handle_;
    bool disk_;
    std::size_t used_ = 0;
    DWORD error_ = 0;
    char buffer_[kBufferSize];
};

// Standard error: each call writes one text with WriteFile; lines get CR LF.
void WriteError(const std::string &text);
void WriteErrorLine(const std::string &line);

// True when `handle` is a console screen buffer (not a file or a pipe).
bool IsConsole(HANDLE handle);

// The system's text for `code` (no line end), or "" when it has none.
std::string SystemText(DWORD code);

}  // namespace kvtlog
