#include "ChartScale.h"

#include <algorithm>
#include <cmath>

namespace kvtmon {

namespace {

// The smallest of 1, 2, 5 times a power of ten that is at least `rough`.
double RoundStep(double rough) {
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (double factor : {1.0, 2.0, 5.0, 10.0}) {
        if (factor * power >= rough * (1 - 1e-9)) return factor * power;
    }
    return 10 * power;
}

AxisRange RangeWithStep(double low, double high, double step) {
    return AxisRange{std::floor(low / step + 1e-9) * step, std::ceil(high / step - 1e-9) * step, step};
}

}  // namespace

AxisRange AutoRange(double dataLow, double dataHigh, int maxTicks) {
    if (!std::isfinite(dataLow) || !std::isfinite(dataHigh)) return AxisRange{};
    if (dataLow > dataHigh) std::swap(dataLow, dataHigh);
    maxTicks = std::max(maxTicks, 1);
    if (dataHigh - dataLow < 1e-9 * std::max(1.0, std::fabs(dataLow))) {
        // Flat data sits in the middle of a span of one unit (or a tenth of its size).
        const double half = std::max(0.5, std::fabs(dataLow) * 0.05);
        dataLow -= half;
        dataHigh += half;
    }
    double step = RoundStep((dataHigh - dataLow) / maxTicks);
    for (;;) {
        AxisRange range = RangeWithStep(dataLow, dataHigh, step);
        // Data on an end would be drawn over the plot's frame: a step of room beyond it.
        if (dataLow - range.low < step * 0.01) range.low -= step;
        if (range.high - dataHigh < step * 0.01) range.high += step;
        // Rounding and room can add intervals too many: then a larger step.
        if ((range.high - range.low) / step <= maxTicks + 1e-9) return range;
        step = RoundStep(step * 1.01);
    }
}

AxisRange FixedRange(double low, double high, int maxTicks) {
    if (low > high) std::swap(low, high);
    if (!std::isfinite(low) || !std::isfinite(high) || !(high > low)) return AutoRange(low, high, maxTicks);
    AxisRange range{low, high, RoundStep((high - low) / std::max(maxTicks, 1))};
    return range;
}

std::vector<double> AxisTicks(const AxisRange &range) {
    std::vector<double> ticks;
    if (!(range.step > 0) || !(range.high >= range.low)) return ticks;
    const double first = std::ceil(range.low / range.step - 1e-9) * range.step;
    for (int i = 0;; ++i) {
        const double tick = first + i * range.step;
        if (tick > range.high + range.step * 1e-9 || i > 1000) break;
        // No "-0" on the axis.
        ticks.push_back(std::fabs(tick) < range.step * 1e-9 ? 0.0 : tick);
    }
    return ticks;
}

int WeightToRow(const AxisRange &range, double weight, int topRow, int bottomRow) {
    const double span = range.high - range.low;
    if (!(span > 0) || std::isnan(weight)) return bottomRow;
    double fraction = (weight - range.low) / span;
    fraction = std::clamp(fraction, 0.0, 1.0);
    return static_cast<int>(std::lround(bottomRow - fraction * (bottomRow - topRow)));
}

int AgeToColumn(double ageMs, double spanMs, int leftColumn, int rightColumn) {
    if (!(spanMs > 0) || std::isnan(ageMs)) return rightColumn;
    const double fraction = std::clamp(ageMs / spanMs, 0.0, 1.0);
    return static_cast<int>(std::lround(rightColumn - fraction * (rightColumn - leftColumn)));
}

}  // namespace kvtmon
