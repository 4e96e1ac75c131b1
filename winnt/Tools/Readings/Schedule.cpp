#include "Schedule.h"

#include <cmath>
#include <limits>

namespace readings {

namespace {

constexpr Ticks kMaxTicks = std::numeric_limits<Ticks>::max();

// start + offset, saturated at kMaxTicks (offset >= 0).
Ticks SaturatedAdd(Ticks start, long double offset) {
    const long double sum = static_cast<long double>(start) + offset;
    // 2^63 is exactly representable; anything at or above it saturates.
    if (!(sum < 9223372036854775808.0L)) return kMaxTicks;
    if (sum < -9223372036854775807.0L) return -kMaxTicks;
    return static_cast<Ticks>(sum);
}

}  // namespace

std::int64_t TicksToMicroseconds(Ticks ticks, Ticks frequency) {
    if (frequency <= 0) return 0;
    const Ticks whole = ticks / frequency;
    const Ticks part = ticks % frequency;  // same sign as ticks, |part| < frequency
    // whole seconds times a million: saturate rather than overflow.
    constexpr std::int64_t kMillion = 1000000;
    if (whole > std::numeric_limits<std::int64_t>::max() / kMillion - 1)
        return std::numeric_limits<std::int64_t>::max();
    if (whole < std::numeric_limits<std::int64_t>::min() / kMillion + 1)
        return std::numeric_limits<std::int64_t>::min();
    // part * 1e6 may overflow 64 bits for huge frequencies: long double.
    const long double fraction = static_cast<long double>(part) * kMillion / frequency;
    return whole * kMillion + static_cast<std::int64_t>(fraction);
}

double TicksToSeconds(Ticks ticks, Ticks frequency) {
    if (frequency <= 0) return 0.0;
    return static_cast<double>(static_cast<long double>(ticks) / frequency);
}

Ticks SecondsToTicks(double seconds, Ticks frequency) {
    if (!(seconds > 0) || frequency <= 0) return 0;
    const long double ticks = std::floor(static_cast<long double>(seconds) * frequency + 0.5L);
    if (!(ticks < 9223372036854775808.0L)) return kMaxTicks;
    return static_cast<Ticks>(ticks);
}

Schedule::Schedule(Ticks start, Ticks frequency, double rate, Ticks lateAfter)
    : start_(start),
      frequency_(frequency > 0 ? frequency : 1),
      rate_(rate),
      lateAfter_(lateAfter > 0 ? lateAfter : 0),
      paced_(std::isfinite(rate) && rate > 0) {}

Ticks Schedule::Due(std::uint64_t index) const {
    if (!paced_ || index == 0) return start_;
    const long double offset = static_cast<long double>(index) * frequency_ / rate_;
    return SaturatedAdd(start_, std::floor(offset));
}

Ticks Schedule::WaitBefore(std::uint64_t index, Ticks now) const {
    if (!paced_) return 0;
    const Ticks due = Due(index);
    if (now >= due) return 0;
    // now < due: the difference is positive; it overflows only when now is
    // far below zero, where it saturates.
    if (now < 0 && due > kMaxTicks + now) return kMaxTicks;
    return due - now;
}

Ticks Schedule::Taken(std::uint64_t index, Ticks taken) {
    if (!paced_) return 0;
    const Ticks due = Due(index);
    if (taken <= due) return 0;
    const Ticks lateness = (due < 0 && taken > kMaxTicks + due) ? kMaxTicks : taken - due;
    if (lateness > largestLateness_) largestLateness_ = lateness;
    if (lateness > lateAfter_) ++late_;
    return lateness;
}

}  // namespace readings
