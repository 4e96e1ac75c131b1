// The texts that the reader samples make of a four-channel weight record:
// pure functions on plain floats, so the rules are tested without a window.
#pragma once

#include <cstddef>

namespace kit {

// The longest line four floats give is 179 characters and the zero.
constexpr std::size_t kWeightLineSize = 256;

// "%.3f %.3f %.3f %.3f" of `channels` (four floats, channel 1 first), or
// "read error" when `channels` is null (the read failed).
void FormatWeightLine(const float *channels, char (&line)[kWeightLineSize]);

// One fixed column: "%8.3f", cut to its first 10 characters.
constexpr std::size_t kWeightColumnMax = 10;
constexpr std::size_t kWeightColumnSize = kWeightColumnMax + 1;
constexpr std::size_t kWeightColumnsSize = 4 * kWeightColumnMax + 1;

// The mark a column shows instead of a number whose cut would drop whole
// digits (from 1e10 up, from -1e9 down): ten '#', never a false number.
constexpr const char kWeightColumnOverflow[] = "##########";

// The weight as three decimals right-justified in eight characters (a longer
// text is not padded), cut to 10 characters; kWeightColumnOverflow when the
// part before the decimal point is longer than 10. Infinities and
// not-a-number show as "%8.3f" renders them: "     inf", "    -inf", "     nan".
void FormatWeightColumn(float weight, char (&column)[kWeightColumnSize]);

// The four columns of `channels`, channel 1 first, with no separator.
void FormatWeightColumns(const float *channels, char (&line)[kWeightColumnsSize]);

}  // namespace kit
