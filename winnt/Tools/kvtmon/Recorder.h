// Record: the readings written to a CSV file in kvtlog's format, timed from
// the moment recording began, through the same writer as kvtlog: whole
// lines only, and a count of the readings that reached the file.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "LineWriter.h"
#include "Reading.h"
#include "Schedule.h"
#include "UniqueHandle.h"

namespace kvtmon {

class Recorder {
public:
    // Creates (or replaces) `path` and writes the header for `card`; from
    // then on readings taken at or after `start` (performance-counter
    // ticks) are recorded. "" or what failed, with the system's text.
    std::string Start(const std::string &path, const std::string &card, readings::Ticks start,
                      readings::Ticks frequency);
    // Writes the readings, then a mark for `dropped` readings the queue lost
    // after them (0: none), all in one write. "" or what failed, with the
    // system's text and the readings in the file; the recording has then
    // stopped.
    std::string Write(const std::vector<Reading> &batch, std::uint64_t dropped);
    // Closes the file (everything is written at each Write).
    void Stop();

    bool Recording() const { return writer_ != nullptr; }
    // The readings in the file, and the drops marked in it.
    std::uint64_t Count() const { return count_; }
    std::uint64_t Dropped() const { return dropped_; }

private:
    std::string Failure(const char *what, DWORD code) const;

    kit::FileHandle file_;
    std::unique_ptr<readings::LineWriter> writer_;
    readings::Ticks start_ = 0;
    readings::Ticks frequency_ = 1;
    std::uint64_t count_ = 0;
    std::uint64_t dropped_ = 0;
};

}  // namespace kvtmon
