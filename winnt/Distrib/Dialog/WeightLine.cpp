#include "WeightLine.h"

#include <cstdio>

namespace mirvo_bc {

void FormatWeightLine(const MIRVO_WEIGHTS4 *weights, char (&line)[kWeightLineSize]) {
    if (!weights) {
        std::snprintf(line, sizeof line, "%s", "read error");
        return;
    }
    // The C99 formatter (MinGW's ANSI stdio), not the system's: the same
    // digits and "inf"/"nan" on every Windows version.
    std::snprintf(line, sizeof line, "%.3f %.3f %.3f %.3f", static_cast<double>(weights->Channel[0]),
                  static_cast<double>(weights->Channel[1]), static_cast<double>(weights->Channel[2]),
                  static_cast<double>(weights->Channel[3]));
}

}  // namespace mirvo_bc
