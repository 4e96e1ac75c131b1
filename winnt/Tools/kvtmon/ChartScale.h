// The chart's weight axis: a range that holds the data with round ends, its
// ticks, and where a weight lands between the plot's top and bottom rows.
#pragma once

#include <vector>

namespace kvtmon {

struct AxisRange {
    double low = 0;
    double high = 1;
    double step = 0.2;  // between two ticks
};

// The range for data from `dataLow` to `dataHigh`: both ends on a multiple
// of a round step (1, 2 or 5 times a power of ten) chosen so that there are
// at most `maxTicks` intervals, and the data never on an end. Flat data gets
// a span around its value; no data (non-finite ends) gets 0..1.
AxisRange AutoRange(double dataLow, double dataHigh, int maxTicks = 5);

// The fixed range a person asked for (its ends either way round), with round
// ticks inside it; when the ends are equal or not finite, AutoRange of the two.
AxisRange FixedRange(double low, double high, int maxTicks = 5);

// The ticks of `range` from low to high, inclusive.
std::vector<double> AxisTicks(const AxisRange &range);

// The pixel row of `weight`: `high` at `topRow`, `low` at `bottomRow`,
// linear between; clamped to the plot so a wild weight stays drawable.
int WeightToRow(const AxisRange &range, double weight, int topRow, int bottomRow);

// The pixel column of a reading `ageMs` old: now at `rightColumn`,
// `spanMs` ago at `leftColumn`.
int AgeToColumn(double ageMs, double spanMs, int leftColumn, int rightColumn);

}  // namespace kvtmon
