#include "Tally.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>

#include "CsvText.h"

namespace readings {

void Tally::Add(Ticks sinceStart, bool ok) {
    if (readings_ == 0) first_ = sinceStart;
    last_ = sinceStart;
    ++readings_;
    if (!ok) ++failed_;
}

Figures Summarize(const Tally &tally, const Schedule &schedule, Ticks elapsed) {
    const Ticks frequency = schedule.Frequency();
    Figures figures;
    figures.readings = tally.Readings();
    figures.failed = tally.Failed();
    figures.late = schedule.LateCount();
    figures.elapsedSeconds = TicksToSeconds(elapsed > 0 ? elapsed : 0, frequency);
    if (figures.elapsedSeconds > 0) figures.rate = static_cast<double>(figures.readings) / figures.elapsedSeconds;
    if (figures.readings >= 2) {
        const Ticks span = tally.Last() - tally.First();
        figures.meanSpacingSeconds =
            TicksToSeconds(span > 0 ? span : 0, frequency) / static_cast<double>(figures.readings - 1);
    }
    figures.largestLatenessSeconds = TicksToSeconds(schedule.LargestLateness(), frequency);
    return figures;
}

namespace {

std::string Fixed(double value, int decimals) {
    char text[64];
    if (FormatFixed(value, decimals, text, sizeof text) == 0) return "?";
    return text;
}

std::string Count(std::uint64_t n) { return std::to_string(n); }

}  // namespace

std::string SummaryReadingsLine(const Figures &figures) {
    std::string line = Count(figures.readings) + (figures.readings == 1 ? " reading" : " readings") + " in " +
                       Fixed(figures.elapsedSeconds, 3) + " s";
    if (figures.readings > 0 && figures.elapsedSeconds > 0) line += ": " + Fixed(figures.rate, 1) + " per second";
    if (figures.readings >= 2) line += ", one every " + Fixed(figures.meanSpacingSeconds * 1000.0, 3) + " ms";
    return line;
}

std::string SummaryLateLine(const Figures &figures) {
    return "late: " + Count(figures.late) + " (largest lateness " +
           Fixed(figures.largestLatenessSeconds * 1000.0, 3) + " ms)";
}

std::string SummaryFailedLine(const Figures &figures) { return "failed reads: " + Count(figures.failed); }

std::string SummaryFileLine(std::uint64_t taken, std::uint64_t inFile, const std::string &place, bool failed) {
    if (taken != inFile) return Count(taken) + (taken == 1 ? " reading" : " readings") + " taken, " + Count(inFile) + " in " + place;
    return failed ? std::string() : "written to " + place;
}

std::size_t FormatStatus(std::uint64_t readings, double rate, double elapsedSeconds, const float *weights,
                         char (&line)[kStatusSize]) {
    char rateText[64];
    if (FormatFixed(rate, 1, rateText, sizeof rateText) == 0) std::strcpy(rateText, "?");
    // Whole seconds as h:mm:ss (clamped to what fits).
    double seconds = elapsedSeconds > 0 ? elapsedSeconds : 0;
    if (seconds > 3.6e9) seconds = 3.6e9;
    const std::uint64_t whole = static_cast<std::uint64_t>(seconds);
    int length = std::snprintf(line, sizeof line, "%" PRIu64 " readings  %s/s  %" PRIu64 ":%02u:%02u  ", readings,
                               rateText, whole / 3600, static_cast<unsigned>(whole / 60 % 60),
                               static_cast<unsigned>(whole % 60));
    if (length < 0) length = 0;
    std::size_t used = static_cast<std::size_t>(length) < sizeof line ? static_cast<std::size_t>(length)
                                                                         : sizeof line - 1;
    auto append = [&](const char *text) {
        const std::size_t n = std::strlen(text);
        const std::size_t room = sizeof line - 1 - used;
        const std::size_t take = n < room ? n : room;
        std::memcpy(line + used, text, take);
        used += take;
        line[used] = '\0';
    };
    if (readings == 0) {
        append("waiting");
    } else if (!weights) {
        append("read failed");
    } else {
        for (int channel = 0; channel < 4; ++channel) {
            char weight[64];
            if (FormatFixed(weights[channel], 3, weight, sizeof weight) == 0) std::strcpy(weight, "?");
            if (channel > 0) append(" ");
            append(weight);
        }
    }
    return used;
}

}  // namespace readings
