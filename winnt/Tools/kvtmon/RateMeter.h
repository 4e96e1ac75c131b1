// Readings per second over the last stretch of time, from the running count
// sampled now and then.
#pragma once

#include <cstdint>
#include <deque>

namespace kvtmon {

class RateMeter {
public:
    explicit RateMeter(std::uint32_t windowMs) : windowMs_(windowMs) {}

    // The total count of readings at `timeMs` (a clock that may wrap).
    void Sample(std::uint32_t timeMs, std::uint64_t total);
    void Reset() { samples_.clear(); }

    // Readings per second between the oldest sample within the window and
    // the newest; 0 until two samples lie apart.
    double PerSecond() const;

private:
    struct Sample_ {
        std::uint32_t timeMs;
        std::uint64_t total;
    };
    std::uint32_t windowMs_;
    std::deque<Sample_> samples_;
};

}  // namespace kvtmon
