#include "CsvText.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace readings {

namespace {

// Copies `literal` with its zero when it fits.
std::size_t CopyText(const char *literal, char *text, std::size_t size) {
    const std::size_t length = std::strlen(literal);
    if (length + 1 > size) {
        if (size > 0) text[0] = '\0';
        return 0;
    }
    std::memcpy(text, literal, length + 1);
    return length;
}

}  // namespace

std::size_t FormatFixed(double value, int decimals, char *text, std::size_t size) {
    if (size == 0) return 0;
    if (decimals < 0) decimals = 0;
    if (decimals > 9) decimals = 9;
    if (std::isnan(value)) return CopyText("nan", text, size);
    if (std::isinf(value)) return CopyText(value < 0 ? "-inf" : "inf", text, size);
    const int length = std::snprintf(text, size, "%.*f", decimals, value);
    if (length <= 0 || static_cast<std::size_t>(length) >= size) {
        text[0] = '\0';
        return 0;
    }
    // Whatever the formatter took for the decimal sign becomes a point: in a
    // finite "%.Nf" every character is a digit or the leading minus but one.
    for (int i = 0; i < length; ++i) {
        const char c = text[i];
        if (!(c >= '0' && c <= '9') && !(c == '-' && i == 0)) text[i] = '.';
    }
    return static_cast<std::size_t>(length);
}

std::size_t FormatMicroseconds(std::int64_t microseconds, char *text, std::size_t size) {
    if (size == 0) return 0;
    const bool negative = microseconds < 0;
    // The magnitude in unsigned arithmetic (INT64_MIN included).
    const std::uint64_t magnitude =
        negative ? 0 - static_cast<std::uint64_t>(microseconds) : static_cast<std::uint64_t>(microseconds);
    char digits[32];
    std::size_t n = 0;
    std::uint64_t rest = magnitude;
    // At least seven digits: six decimals and a whole part.
    do {
        digits[n++] = static_cast<char>('0' + rest % 10);
        rest /= 10;
    } while (rest != 0 || n < 7);
    const std::size_t length = (negative ? 1 : 0) + n + 1;
    if (length + 1 > size) {
        text[0] = '\0';
        return 0;
    }
    std::size_t out = 0;
    if (negative) text[out++] = '-';
    for (std::size_t i = n; i-- > 0;) {
        text[out++] = digits[i];
        if (i == 6) text[out++] = '.';
    }
    text[out] = '\0';
    return out;
}

std::string CsvField(const std::string &text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

std::string CsvHeader(const std::string &card) {
    std::string header = "time (s)";
    for (int channel = 1; channel <= 4; ++channel)
        header += "," + CsvField(card + " channel " + std::to_string(channel));
    header += "\r\n";
    return header;
}

std::string CsvDropLine(std::uint64_t count) {
    return std::to_string(count) + (count == 1 ? " reading" : " readings") + " dropped,,,,\r\n";
}

std::size_t FormatCsvLine(std::int64_t microseconds, const float *weights, char (&line)[kCsvLineSize]) {
    std::size_t length = FormatMicroseconds(microseconds, line, sizeof line);
    for (int channel = 0; channel < 4; ++channel) {
        line[length++] = ',';
        if (weights) length += FormatFixed(weights[channel], 3, line + length, sizeof line - length);
    }
    line[length++] = '\r';
    line[length++] = '\n';
    line[length] = '\0';
    return length;
}

}  // namespace readings
