// The texts of the panel's fields.
#pragma once

#include <cstdint>
#include <string>

namespace kvtmon {

// A weight with three decimals: "1.500", "-0.250"; "inf", "-inf", "nan".
std::string WeightText(double weight);

// The statistics field: WeightText, or "-" before the first weight.
std::string StatText(double value, std::uint64_t count);

// "1234 readings/s".
std::string RateText(double perSecond);

// "12345 readings, 0 dropped".
std::string CountText(std::uint64_t readings, std::uint64_t dropped);

}  // namespace kvtmon
