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

// The rates a person can choose, readings per second; 0: the card's pace.
constexpr double kPaceChoices[] = {0, 1000, 100, 10, 1};

// "card's pace" for 0, else "100 per second".
std::string PaceText(double rate);

// "12 recorded", and ", 3 dropped" once the queue dropped readings while
// recording (each drop is marked in the file).
std::string RecordedText(std::uint64_t count, std::uint64_t dropped = 0);

// "12345 readings, 0 dropped".
std::string CountText(std::uint64_t readings, std::uint64_t dropped);

}  // namespace kvtmon
