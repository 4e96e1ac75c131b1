// Record: the readings written to a CSV file in kvtlog's format, timed from
// the moment recording began.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

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
    // Writes the readings (one write for the lot); "" or what failed, and
    // then the recording has stopped.
    std::string Write(const std::vector<Reading> &batch);
    void Stop() { file_.reset(); }

    bool Recording() const { return file_.valid(); }
    std::uint64_t Count() const { return count_; }

private:
    std::string WriteText(const std::string &text);

    kit::FileHandle file_;
    readings::Ticks start_ = 0;
    readings::Ticks frequency_ = 1;
    std::uint64_t count_ = 0;
    std::string pending_;
};

}  // namespace kvtmon
