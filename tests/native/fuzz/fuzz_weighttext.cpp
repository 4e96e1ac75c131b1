// The reader samples' weight texts on any four floats (every bit pattern):
// the line is four numbers and three blanks, or "read error"; every column is
// 8 to 10 characters, or the overflow mark, and drops no whole digit.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "FuzzCheck.h"
#include "WeightText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size < 4 * sizeof(float)) return 0;
    float channels[4];
    std::memcpy(channels, data, sizeof channels);

    char line[kit::kWeightLineSize];
    std::memset(line, 0xbd, sizeof line);
    kit::FormatWeightLine(size > 16 && data[16] == 0 ? nullptr : channels, line);
    const std::size_t length = std::strlen(line);
    FUZZ_CHECK(length < 180);
    if (std::strcmp(line, "read error") != 0) {
        FUZZ_CHECK(std::count(line, line + length, ' ') == 3);
        char *at = line;
        for (int channel = 0; channel < 4; ++channel) {
            char *end = nullptr;
            const double shown = std::strtod(at, &end);
            FUZZ_CHECK(end != at);
            const double value = channels[channel];
            if (std::isfinite(value)) FUZZ_CHECK(std::fabs(shown - value) <= 0.0005 + std::fabs(value) * 1e-15);
            at = end;
        }
        FUZZ_CHECK(*at == 0);
    }

    char columns[kit::kWeightColumnsSize];
    std::memset(columns, 0xbd, sizeof columns);
    kit::FormatWeightColumns(channels, columns);
    std::string expected;
    for (int channel = 0; channel < 4; ++channel) {
        char column[kit::kWeightColumnSize];
        std::memset(column, 0xbd, sizeof column);
        kit::FormatWeightColumn(channels[channel], column);
        const std::size_t width = std::strlen(column);
        FUZZ_CHECK(width >= 8 && width <= kit::kWeightColumnMax);
        expected += column;
        if (std::strcmp(column, kit::kWeightColumnOverflow) == 0) {
            FUZZ_CHECK(std::fabs(channels[channel]) >= 1e9f);
            continue;
        }
        const double value = channels[channel];
        if (!std::isfinite(value)) continue;
        // A cut drops decimals only, never a whole digit.
        const double shown = std::strtod(column, nullptr);
        FUZZ_CHECK(std::fabs(shown - value) < 1.0);
    }
    FUZZ_CHECK(expected == columns);
    return 0;
}
