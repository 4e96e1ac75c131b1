// How the chart looks. Colours are 0x00RRGGBB: four hues a person tells apart at once,
// none of them the grid's grey or the text's black.
#pragma once

#include <cstdint>

#include "Reading.h"

namespace kvtmon {

constexpr std::uint32_t kChannelColours[kChannels] = {
    0xDC1414,  // channel 1: red
    0x0050E6,  // channel 2: blue
    0x00A000,  // channel 3: green
    0xE68200,  // channel 4: orange
};
constexpr std::uint32_t kChartBackground = 0xFFFFFF;
constexpr std::uint32_t kChartGrid = 0xDCDCDC;
constexpr std::uint32_t kChartText = 0x000000;
// Room around the plot, in pixels: the legend above, the weight labels
// left, the time labels below.
constexpr int kChartLeftMargin = 56;
constexpr int kChartRightMargin = 12;
constexpr int kChartTopMargin = 24;
constexpr int kChartBottomMargin = 22;
// The legend, in pixels: a swatch, the gap to its channel's name, and the
// room after the name before the next swatch.
constexpr int kLegendSwatch = 14;
constexpr int kLegendGap = 4;
constexpr int kLegendSpacing = 16;
// The lines' width in pixels.
constexpr int kChartLineWidth = 2;
// What the chart shows: the last ten seconds, one point per 20 ms.
constexpr std::uint32_t kChartSpanMs = 10000;
constexpr std::uint32_t kChartSliceMs = 20;

}  // namespace kvtmon
