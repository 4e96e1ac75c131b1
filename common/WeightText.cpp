#include "WeightText.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace kit {

namespace {

// A not-a-number shows as "nan" whatever its sign bit: C libraries differ in
// whether they print "-nan", the texts must not.
double Shown(float weight) {
    const double value = static_cast<double>(weight);
    return std::isnan(value) ? std::fabs(value) : value;
}

}  // namespace

void FormatWeightLine(const float *channels, char (&line)[kWeightLineSize]) {
    if (!channels) {
        std::snprintf(line, sizeof line, "%s", "read error");
        return;
    }
    std::snprintf(line, sizeof line, "%.3f %.3f %.3f %.3f", Shown(channels[0]), Shown(channels[1]),
                  Shown(channels[2]), Shown(channels[3]));
}

void FormatWeightColumn(float weight, char (&column)[kWeightColumnSize]) {
    // Room for the longest float: 39 digits, sign, point and three decimals.
    char text[64];
    std::snprintf(text, sizeof text, "%8.3f", Shown(weight));
    const std::size_t whole = std::strcspn(text, ".");
    if (whole > kWeightColumnMax) {
        std::memcpy(column, kWeightColumnOverflow, sizeof kWeightColumnOverflow);
        return;
    }
    std::snprintf(column, sizeof column, "%.10s", text);
}

void FormatWeightColumns(const float *channels, char (&line)[kWeightColumnsSize]) {
    line[0] = '\0';
    for (int channel = 0; channel < 4; ++channel) {
        char column[kWeightColumnSize];
        FormatWeightColumn(channels[channel], column);
        std::strncat(line, column, sizeof line - std::strlen(line) - 1);
    }
}

}  // namespace kit
