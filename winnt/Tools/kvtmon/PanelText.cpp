#include "PanelText.h"

#include <cmath>
#include <cstdio>

namespace kvtmon {

std::string WeightText(double weight) {
    char text[400];  // "%.3f" of the largest double is 313 characters
    std::snprintf(text, sizeof text, "%.3f", weight);
    // What rounds to zero shows no sign.
    if (std::string(text) == "-0.000") return "0.000";
    return text;
}

std::string StatText(double value, std::uint64_t count) { return count == 0 ? "-" : WeightText(value); }

std::string RateText(double perSecond) {
    char text[64];
    std::snprintf(text, sizeof text, "%.0f readings/s", std::isfinite(perSecond) ? perSecond : 0.0);
    return text;
}

std::string PaceText(double rate) {
    if (!(rate > 0)) return "card's pace";
    char text[64];
    std::snprintf(text, sizeof text, "%g per second", rate);
    return text;
}

std::string RecordedText(std::uint64_t count, std::uint64_t dropped) {
    std::string text = std::to_string(count) + " recorded";
    if (dropped != 0) text += ", " + std::to_string(dropped) + " dropped";
    return text;
}

std::string CountText(std::uint64_t readings, std::uint64_t dropped) {
    return std::to_string(readings) + " readings, " + std::to_string(dropped) + " dropped";
}

}  // namespace kvtmon
