// Minimum, maximum and mean of one channel since its last reset.
#pragma once

#include <cstdint>

namespace kvtmon {

class ChannelStats {
public:
    // A weight that is not a finite number (a card's inf or nan) is left out:
    // it would make every later minimum, maximum or mean meaningless.
    void Add(double weight);
    void Reset() { *this = ChannelStats(); }

    // Counts only the weights taken in; min, max and mean are 0 while it is 0.
    std::uint64_t Count() const { return count_; }
    double Min() const { return min_; }
    double Max() const { return max_; }
    double Mean() const;

private:
    std::uint64_t count_ = 0;
    double min_ = 0;
    double max_ = 0;
    double sum_ = 0;
};

}  // namespace kvtmon
