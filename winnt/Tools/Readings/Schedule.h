// kit_readings: the pure pieces shared by the kit's programs that take
// readings over time (kvtlog, which records them to a file, and the live
// panel kvtmon): the schedule, the CSV text, the status and summary figures.
// No Windows header: times are performance-counter ticks passed in by the
// caller (QueryPerformanceCounter / QueryPerformanceFrequency on Windows).
//
// The schedule: reading k (0 = the first) is due at start + k / rate,
// always computed from the start, so a scheduled rate never drifts. A
// reading taken more than `lateAfter` ticks after its due time is late: it
// is taken at once (never skipped) and counted, and the largest lateness is
// kept. Without a rate ("as fast as the card answers") every reading is due
// at once and none is ever late.
//
// API stability: names here are kept once committed; new ones are added.
#pragma once

#include <cstdint>

namespace readings {

// Performance-counter ticks (a count since some origin, or a span).
using Ticks = std::int64_t;

// The largest rate a schedule takes (readings per second); more is refused
// by the programs' option rules.
constexpr double kMaxRate = 1000000.0;

// `ticks` as whole microseconds, rounded toward zero, without overflow for
// any tick count; `frequency` > 0 (ticks per second).
std::int64_t TicksToMicroseconds(Ticks ticks, Ticks frequency);

// `ticks` as seconds.
double TicksToSeconds(Ticks ticks, Ticks frequency);

// `seconds` as ticks, rounded to the nearest, clamped to 0 ..
// INT64_MAX (not-a-number gives 0).
Ticks SecondsToTicks(double seconds, Ticks frequency);

class Schedule {
public:
    // `start`: when reading 0 is due; `frequency`: ticks per second (> 0);
    // `rate`: readings per second, or 0 (any value that is not a finite
    // positive number) for no schedule; `lateAfter`: the tolerance in ticks
    // (a reading taken later than its due time plus this is late).
    Schedule(Ticks start, Ticks frequency, double rate, Ticks lateAfter);

    bool Paced() const { return paced_; }
    Ticks Start() const { return start_; }
    Ticks Frequency() const { return frequency_; }
    double Rate() const { return paced_ ? rate_ : 0.0; }

    // When reading `index` is due: start + index * frequency / rate, rounded
    // down, saturated at INT64_MAX. Unpaced: the start for every reading.
    Ticks Due(std::uint64_t index) const;

    // How long to wait at `now` before reading `index`: Due(index) - now,
    // or 0 when it is due or overdue (always 0 when unpaced).
    Ticks WaitBefore(std::uint64_t index, Ticks now) const;

    // Records that reading `index` was taken at `taken`; returns how late it
    // was in ticks (0 when not after its due time, and always when unpaced).
    // Counts it as late when that exceeds the tolerance.
    Ticks Taken(std::uint64_t index, Ticks taken);

    // Readings recorded late so far.
    std::uint64_t LateCount() const { return late_; }
    // The largest lateness of any reading recorded so far (ticks; 0 when
    // every reading was on time), whether or not it exceeded the tolerance.
    Ticks LargestLateness() const { return largestLateness_; }

private:
    Ticks start_;
    Ticks frequency_;
    double rate_;
    Ticks lateAfter_;
    bool paced_;
    std::uint64_t late_ = 0;
    Ticks largestLateness_ = 0;
};

}  // namespace readings
