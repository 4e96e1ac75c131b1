#include "FixedFormat.h"

#include <cmath>
#include <cstdio>

namespace formrt {

std::string FormatFixed(float value, std::string_view decimalSeparator) {
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value < 0 ? "-Infinity" : "Infinity";

    // Exact: a float has 24 significant bits and 100 needs 7, so the product
    // fits a double's 53 without rounding; std::round sends halves away
    // from zero.
    const double hundredths = std::round(std::fabs(static_cast<double>(value)) * 100.0);
    char digits[64];  // up to 41 digits for the largest float
    std::snprintf(digits, sizeof digits, "%.0f", hundredths);
    std::string text(digits);
    if (text.size() < 3) text.insert(0, 3 - text.size(), '0');

    std::string fixed;
    if (value < 0 && hundredths != 0) fixed += '-';
    fixed.append(text, 0, text.size() - 2);
    fixed += decimalSeparator;
    fixed.append(text, text.size() - 2, 2);
    return fixed;
}

}  // namespace formrt
