// The running kvtmon on the simulated card, through the shared reader
// fixture: start it, open, initialise and read the card with its buttons,
// read its fields and its chart.
#pragma once

#include <cstdint>
#include <string>

#include "ReaderFixture.h"
#include "ScreenPixels.h"
#include "resource.h"

namespace kvtmon_test {

using reader_test::Strings;

const reader_test::ReaderProgram &Kvtmon();
// kvtmon built with the probe (ProgramProbe.h): NT's coarse clock, and
// counters of its pictures, timer periods and card calls.
const reader_test::ReaderProgram &ProbedKvtmon();

class KvtmonTest : public reader_test::ReaderFixture {
protected:
    explicit KvtmonTest(const reader_test::ReaderProgram &program = Kvtmon()) : ReaderFixture(program) {}

    std::string Field(int id) const { return uiauto::ControlText(window_, id); }
    // True once the field shows `text`; a failure message says what it showed.
    ::testing::AssertionResult WaitForField(int id, const std::string &text,
                                            DWORD timeoutMs = uiauto::kDefaultTimeoutMs) const;
    ::testing::AssertionResult WaitForState(const std::string &state) const { return WaitForField(IDC_STATE, state); }

    // Presses the button and waits for the state line to read `state`.
    void PressFor(int button, const std::string &state);
    // Open, Init and Start, each waited for.
    void OpenInitAndRead();
    // The count of readings the panel shows, and the same once no more come.
    std::uint64_t Readings() const;
    std::uint64_t SettledReadings() const;

    // The four weights as the value fields show them, and each statistic.
    Strings Values() const;
    Strings StatsColumn(int firstId) const;

    // Presses Record and saves to `path` in its Save dialog.
    void RecordTo(const std::string &path);

    // Record pressed again: the recording stops.
    void StopRecording();

    // What the screen shows of the chart control.
    uiauto::Pixels ChartPixels() const;
};

// The number that a text begins with ("1234 readings/s": 1234).
double LeadingNumber(const std::string &text);

}  // namespace kvtmon_test
