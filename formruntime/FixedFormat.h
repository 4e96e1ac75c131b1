// The named number format "Fixed": at least one digit before the decimal
// separator, exactly two after it, a leading minus sign for a negative value,
// no thousands separators. Pure: the separator is a parameter; the user's own
// comes from UserDecimalSeparator (Locale.h) at the edge.
//
// Rounding is exact on the float's own value (no detour through a shorter
// decimal), to the nearest hundredth; a value exactly halfway between two
// hundredths (such as 0.125 or -2.375, which a float holds exactly) goes
// away from zero: 0.13, -2.38. A value that rounds to zero shows no sign
// ("0.00", also for -0.001 and -0). Infinities show as "Infinity" and
// "-Infinity", not-a-number as "NaN".
#pragma once

#include <string>
#include <string_view>

namespace formrt {

std::string FormatFixed(float value, std::string_view decimalSeparator);

}  // namespace formrt
