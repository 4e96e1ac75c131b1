#include "ChartHistory.h"

namespace kvtmon {

void ChartHistory::Add(const Reading &reading) {
    const std::uint32_t slice = reading.timeMs - reading.timeMs % sliceMs_;
    if (!points_.empty() && points_.back().timeMs == slice) {
        // A running mean, so the slice is right at any count.
        ChartPoint &last = points_.back();
        ++inSlice_;
        for (int channel = 0; channel < kChannels; ++channel)
            last.weights[channel] += (reading.weights[channel] - last.weights[channel]) / inSlice_;
    } else {
        ChartPoint point;
        point.timeMs = slice;
        for (int channel = 0; channel < kChannels; ++channel) point.weights[channel] = reading.weights[channel];
        points_.push_back(point);
        inSlice_ = 1;
    }
    // Unsigned differences: right across the clock's wrap.
    while (!points_.empty() && reading.timeMs - points_.front().timeMs > spanMs_) points_.pop_front();
}

}  // namespace kvtmon
