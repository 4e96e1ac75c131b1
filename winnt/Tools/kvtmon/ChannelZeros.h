// The panel's own zero (tare) per channel: what is shown is the weight minus
// its channel's zero. Never written to the card or its configuration.
#pragma once

#include "Reading.h"

namespace kvtmon {

class ChannelZeros {
public:
    // Takes `weight` as the zero of `channel` (0..3); another channel, or a
    // weight that is not finite, leaves the zero as it was.
    void Set(int channel, float weight);
    // Takes the four weights as the four zeros.
    void SetAll(const float (&weights)[kChannels]);
    void Clear();

    bool IsSet(int channel) const;
    // The weight as shown: minus the channel's zero, if one is set.
    double Apply(int channel, double weight) const;

private:
    bool set_[kChannels] = {};
    float zero_[kChannels] = {};
};

}  // namespace kvtmon
