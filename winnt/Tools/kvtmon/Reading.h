// One reading of the card's four channels as the panel keeps it: when it was
// taken (milliseconds of the system's tick count, for the chart, and
// performance-counter ticks, for the recorded file) and the weights,
// channel 1 first.
#pragma once

#include <cstdint>

namespace kvtmon {

constexpr int kChannels = 4;

struct Reading {
    std::uint32_t timeMs = 0;
    std::int64_t ticks = 0;
    float weights[kChannels] = {};
};

}  // namespace kvtmon
