// kit_readings: the figures of a run of readings (the closing summary) and
// the one-line status shown while it runs.
//
// API stability: names here are kept once committed; new ones are added.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "Schedule.h"

namespace readings {

// What a run has taken so far: count, failures and the times (ticks since
// the start) of its first and last reading. Never allocates.
class Tally {
public:
    // A reading taken `sinceStart` ticks after the start; `ok` false for a
    // failed read (still a reading taken).
    void Add(Ticks sinceStart, bool ok);

    std::uint64_t Readings() const { return readings_; }
    std::uint64_t Failed() const { return failed_; }
    Ticks First() const { return first_; }  // 0 before the first reading
    Ticks Last() const { return last_; }

private:
    std::uint64_t readings_ = 0;
    std::uint64_t failed_ = 0;
    Ticks first_ = 0;
    Ticks last_ = 0;
};

// The summary figures of a run.
struct Figures {
    std::uint64_t readings = 0;
    std::uint64_t failed = 0;
    std::uint64_t late = 0;
    double elapsedSeconds = 0;      // from the start to the end of the run
    double rate = 0;                // readings per second over elapsedSeconds (0 when none)
    double meanSpacingSeconds = 0;  // (last - first) / (readings - 1); 0 below two readings
    double largestLatenessSeconds = 0;
};

// The figures from the tally, the schedule (lateness) and the run's length
// in ticks (negative counts as 0).
Figures Summarize(const Tally &tally, const Schedule &schedule, Ticks elapsed);

// The summary as text lines (no line ends), e.g.
//   "400 readings in 2.004 s: 199.6 per second, one every 5.010 ms"
//   "late: 3 (largest 12.345 ms)"        only for a scheduled rate
//   "failed reads: 2"                    only with failures
std::string SummaryReadingsLine(const Figures &figures);
std::string SummaryLateLine(const Figures &figures);
std::string SummaryFailedLine(const Figures &figures);

// The summary's word on the file (`place`: its name, or "standard output"):
// "written to weights.csv" when every reading taken reached it and nothing
// failed; "400 readings taken, 212 in weights.csv" whenever the two differ;
// "" after a failure that lost no reading (never "written to" then).
std::string SummaryFileLine(std::uint64_t taken, std::uint64_t inFile, const std::string &place, bool failed);

// Room for any status line and its zero.
constexpr std::size_t kStatusSize = 256;

// The status line while a run goes on, e.g.
//   "12345 readings  2001.3/s  0:01:02  1.500 -0.250 0.000 12.000"
// `weights` the last reading's four weights, or null ("read failed") or
// when there is none yet (pass `readings` 0: "waiting"). Returns the length.
// Never allocates.
std::size_t FormatStatus(std::uint64_t readings, double rate, double elapsedSeconds, const float *weights,
                         char (&line)[kStatusSize]);

}  // namespace readings
