#include "ChannelZeros.h"

#include <cmath>

namespace kvtmon {

namespace {
bool IsChannel(int channel) { return channel >= 0 && channel < kChannels; }
}  // namespace

void ChannelZeros::Set(int channel, float weight) {
    // A zero that is no number would turn every shown weight into none.
    if (!IsChannel(channel) || !std::isfinite(weight)) return;
    set_[channel] = true;
    zero_[channel] = weight;
}

void ChannelZeros::SetAll(const float (&weights)[kChannels]) {
    for (int channel = 0; channel < kChannels; ++channel) Set(channel, weights[channel]);
}

void ChannelZeros::Clear() { *this = ChannelZeros(); }

bool ChannelZeros::IsSet(int channel) const { return IsChannel(channel) && set_[channel]; }

double ChannelZeros::Apply(int channel, double weight) const {
    return IsSet(channel) ? weight - static_cast<double>(zero_[channel]) : weight;
}

}  // namespace kvtmon
