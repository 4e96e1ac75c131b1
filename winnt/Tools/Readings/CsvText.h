// kit_readings: the CSV file of readings and the numbers in the texts around
// it. Every number is written with a point as the decimal sign, whatever the
// C library's or the user's locale (the digits come from the C formatter,
// the sign is put in afterwards), and no digit grouping.
//
// The file: a header line, then one line per reading, CR LF after each:
//   time (s),KVT1 channel 1,KVT1 channel 2,KVT1 channel 3,KVT1 channel 4
//   0.000000,1.500,-0.250,0.000,12.000
//   0.000512,,,,
// The time is the reading's time since the start in seconds with six
// decimals (microseconds); the weights have three decimals ("inf", "-inf",
// "nan" as such); a failed read leaves its four weight fields empty.
//
// API stability: names here are kept once committed; new ones are added.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace readings {

// Room for any line FormatCsvLine writes, its CR LF and a zero: the longest
// float is 44 characters ("-340282346638528859811704183484516925440.000"),
// the longest time 21.
constexpr std::size_t kCsvLineSize = 256;

// `value` with `decimals` (0..9) decimals and a point, e.g. "-0.250",
// "inf", "-inf", "nan"; written to `text` with its zero. Returns the length,
// or 0 (and an empty text) when it does not fit in `size` bytes (size 0:
// nothing written).
std::size_t FormatFixed(double value, int decimals, char *text, std::size_t size);

// Microseconds as seconds with six decimals: 1500 -> "0.001500",
// -2 -> "-0.000002". Needs 22 bytes at most. Returns the length (0 when it
// does not fit).
std::size_t FormatMicroseconds(std::int64_t microseconds, char *text, std::size_t size);

// One field of a CSV line: as it is, or in double quotes (quotes inside
// doubled) when it holds a comma, a quote, a CR or a LF.
std::string CsvField(const std::string &text);

// The header line for `card`, CR LF included:
// "time (s),KVT1 channel 1,KVT1 channel 2,KVT1 channel 3,KVT1 channel 4\r\n".
std::string CsvHeader(const std::string &card);

// The line that stands for `count` readings the file lacks (a queue that
// had to drop them): a text in the time column, the weight fields empty, so
// that a spreadsheet shows it and leaves it out of sums and charts:
// "3 readings dropped,,,,\r\n".
std::string CsvDropLine(std::uint64_t count);

// The line of one reading, CR LF included, and a zero after it; `weights`
// (four floats, channel 1 first) null for a failed read (empty weight
// fields). Returns the length without the zero. Never allocates.
std::size_t FormatCsvLine(std::int64_t microseconds, const float *weights, char (&line)[kCsvLineSize]);

}  // namespace readings
