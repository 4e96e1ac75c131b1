#include "ChannelStats.h"

#include <cmath>

namespace kvtmon {

void ChannelStats::Add(double weight) {
    if (!std::isfinite(weight)) return;
    if (count_ == 0 || weight < min_) min_ = weight;
    if (count_ == 0 || weight > max_) max_ = weight;
    sum_ += weight;
    ++count_;
}

double ChannelStats::Mean() const { return count_ == 0 ? 0.0 : sum_ / static_cast<double>(count_); }

}  // namespace kvtmon
