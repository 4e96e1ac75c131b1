// The form runtime's rules on any input: "Fixed" of every float with any
// separator is a sign, digits, the separator and exactly two digits (or a
// named non-number), and equals the value to the nearest hundredth; twips
// become the nearest pixel for any twips and any sensible dpi.
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "FixedFormat.h"
#include "FuzzCheck.h"
#include "Twips.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size < 8) return 0;
    float value;
    std::memcpy(&value, data, sizeof value);
    std::int32_t twips, dpi;
    std::memcpy(&twips, data + 4, sizeof twips);
    dpi = size > 8 ? data[8] * 4 + 1 : 96;  // 1..1021
    const std::size_t separatorLength = size > 9 ? std::min<std::size_t>(size - 9, 3) : 0;
    std::string separator(reinterpret_cast<const char *>(data) + 9 * (size > 9), separatorLength);
    for (char &c : separator)
        if ((c >= '0' && c <= '9') || c == '-') c = ',';

    const std::string text = formrt::FormatFixed(value, separator);
    if (std::isnan(value)) {
        FUZZ_CHECK(text == "NaN");
    } else if (std::isinf(value)) {
        FUZZ_CHECK(text == (value < 0 ? "-Infinity" : "Infinity"));
    } else {
        const bool minus = !text.empty() && text[0] == '-';
        const std::size_t digitsEnd = text.size() - separator.size() - 2;
        FUZZ_CHECK(text.size() >= separator.size() + 3 + minus);
        FUZZ_CHECK(text.compare(digitsEnd, separator.size(), separator) == 0);
        std::string digits = text.substr(minus, digitsEnd - minus) + text.substr(text.size() - 2);
        FUZZ_CHECK(digits.find_first_not_of("0123456789") == std::string::npos);
        FUZZ_CHECK(digits.size() == 3 || digits[0] != '0');
        FUZZ_CHECK(!minus || digits.find_first_not_of('0') != std::string::npos);
        FUZZ_CHECK(minus == (value < 0 && digits.find_first_not_of('0') != std::string::npos));
        const double hundredths = std::strtod(digits.c_str(), nullptr);
        FUZZ_CHECK(std::fabs(hundredths - std::fabs(double(value)) * 100.0) <= 0.5);
    }

    const int pixels = formrt::TwipsToPixels(twips, dpi);
    const long long error = static_cast<long long>(pixels) * formrt::kTwipsPerInch - static_cast<long long>(twips) * dpi;
    FUZZ_CHECK(error <= formrt::kTwipsPerInch / 2 && error >= -formrt::kTwipsPerInch / 2);
    // Halves go away from zero: the rule is symmetric.
    if (twips != INT32_MIN) FUZZ_CHECK(formrt::TwipsToPixels(-twips, dpi) == -pixels);
    return 0;
}
