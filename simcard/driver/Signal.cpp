#include "Signal.h"

#include "../include/KvtCardRules.h"

namespace mirvosys {

uint32_t FloatBitsFromMilli(int32_t milli) {
    if (milli == 0) return 0;
    const uint32_t sign = milli < 0 ? 0x80000000u : 0u;
    const uint64_t magnitude = milli < 0 ? uint64_t(-int64_t(milli)) : uint64_t(milli);

    // Scale by 2^shift until the quotient has its 24 significant bits.
    const uint64_t lowest = uint64_t(1) << 23;
    int shift = 0;
    while ((magnitude << shift) < lowest * 1000) ++shift;
    uint64_t quotient = (magnitude << shift) / 1000;
    const uint64_t remainder = (magnitude << shift) % 1000;
    if (remainder * 2 > 1000 || (remainder * 2 == 1000 && (quotient & 1))) ++quotient;
    if (quotient == lowest << 1) {  // rounding carried into a new bit
        quotient >>= 1;
        --shift;
    }
    const uint32_t exponent = uint32_t(127 + 23 - shift);
    return sign | (exponent << 23) | uint32_t(quotient & (lowest - 1));
}

int32_t SignalMilli(unsigned channel, uint64_t milliseconds) {
    struct Channel {
        int32_t load;      // thousandths
        int32_t swing;     // thousandths either side of the load
        uint32_t period;   // milliseconds
    };
    static const Channel channels[4] = {
        {12500, 750, 10000}, {7250, 400, 13000}, {20000, 1200, 17000}, {3750, 250, 23000}};
    if (channel >= 4) return 0;
    const Channel &c = channels[channel];
    // A triangle wave: rises over the first half of the period, falls back.
    const uint32_t phase = uint32_t(milliseconds % c.period);
    const uint32_t half = c.period / 2;
    const uint32_t climb = phase < half ? phase : c.period - phase;
    return c.load - c.swing + int32_t((int64_t(2) * c.swing * climb) / half);
}

uint32_t DefaultCardAddress(const wchar_t *name) {
    // Any other name sits where KVT1 does.
    int slot = 0;
    if (!kvtcard::SlotOfCardName(name, &slot)) slot = 0;
    return kvtcard::CandidateAddress((slot + 10) % kvtcard::kMaxCards);
}

}  // namespace mirvosys
