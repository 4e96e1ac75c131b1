// What the chart shows: the last seconds of readings, one point per short
// slice of time (the mean of the readings in it), so that drawing costs the
// same at any reading rate.
#pragma once

#include <cstdint>
#include <deque>

#include "Reading.h"

namespace kvtmon {

struct ChartPoint {
    std::uint32_t timeMs = 0;  // the slice's start
    double weights[kChannels] = {};
};

class ChartHistory {
public:
    ChartHistory(std::uint32_t spanMs, std::uint32_t sliceMs) : spanMs_(spanMs), sliceMs_(sliceMs) {}

    // Adds a reading and forgets the slices older than the span before it.
    // Times are the reading thread's clock, which may wrap.
    void Add(const Reading &reading);
    void Clear() { points_.clear(); }

    const std::deque<ChartPoint> &Points() const { return points_; }
    std::uint32_t SpanMs() const { return spanMs_; }

private:
    std::uint32_t spanMs_;
    std::uint32_t sliceMs_;
    std::deque<ChartPoint> points_;
    int inSlice_ = 0;  // readings in the last point
};

}  // namespace kvtmon
