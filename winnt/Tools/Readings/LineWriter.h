// The CSV file of a run of readings as both tools write it: whole lines
// through a buffer of its own, and an exact count of the lines that reached
// the file. Windows only (the rest of kit_readings is pure).
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace readings {

// Writes whole lines to `handle` through one 64 KB buffer: no allocation
// per line, one WriteFile per buffer (or per Flush). On a disk file a write
// that fails is cut back to the last whole line that reached the file, so
// the file holds every line that fitted and never ends in half a line; a
// short write counts as a full disk (the system's last-error value is then
// stale). After a failure nothing more is written.
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
    // The lines that reached the file (or pipe) so far, whole ones only.
    std::uint64_t LinesWritten() const { return lines_; }

private:
    static constexpr std::size_t kBufferSize = 65536;
    bool WriteAll(const char *text, std::size_t length);
    // What stays of a failed write of `text` that began at `start` in the
    // file: its whole lines among the `reached` bytes the file got.
    std::size_t CutToWholeLines(std::int64_t start, const char *text, std::size_t length, std::size_t reached);

    HANDLE handle_;
    bool disk_;
    std::size_t used_ = 0;
    DWORD error_ = 0;
    std::uint64_t lines_ = 0;
    char buffer_[kBufferSize];
};

}  // namespace readings
