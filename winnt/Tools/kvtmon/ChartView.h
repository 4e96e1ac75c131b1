// The chart control: a window class of its own that draws the last seconds
// of the four channels off screen and copies the picture in one go.
#pragma once

#include <windows.h>

#include "ChannelZeros.h"
#include "ChartHistory.h"
#include "ChartLook.h"

namespace kvtmon {

constexpr const char kChartClassName[] = "KVTMONCHART";

// What the chart draws; the panel owns it and repaints the chart after a change.
struct ChartPicture {
    ChartPicture() : history(kChartSpanMs, kChartSliceMs) {}
    ChartHistory history;
    ChannelZeros zeros;
    bool fixedRange = false;
    double fixedLow = 0;
    double fixedHigh = 10;
};

ATOM RegisterChartClass(HINSTANCE instance);

// The picture the chart draws from now on (nullptr: an empty chart).
void SetChartPicture(HWND chart, const ChartPicture *picture);

}  // namespace kvtmon
