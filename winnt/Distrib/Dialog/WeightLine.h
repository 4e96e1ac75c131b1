// The status line that a read shows.
#pragma once

#include <cstddef>

#include "mirvo.h"

namespace mirvo_bc {

// The longest line four floats give is 179 characters and the zero.
constexpr std::size_t kWeightLineSize = 256;

// "%.3f %.3f %.3f %.3f" of channels 1 to 4, or "read error" when there are
// no weights (the read failed).
void FormatWeightLine(const MIRVO_WEIGHTS4 *weights, char (&line)[kWeightLineSize]);

}  // namespace mirvo_bc
