#include "RateMeter.h"

namespace kvtmon {

void RateMeter::Sample(std::uint32_t timeMs, std::uint64_t total) {
    samples_.push_back({timeMs, total});
    // Keep one sample at or beyond the window's start, so the window is whole.
    while (samples_.size() > 2 && timeMs - samples_[1].timeMs >= windowMs_) samples_.pop_front();
}

double RateMeter::PerSecond() const {
    if (samples_.size() < 2) return 0;
    const auto &first = samples_.front();
    const auto &last = samples_.back();
    const std::uint32_t elapsedMs = last.timeMs - first.timeMs;
    if (elapsedMs == 0 || last.total < first.total) return 0;
    return static_cast<double>(last.total - first.total) * 1000.0 / elapsedMs;
}

}  // namespace kvtmon
