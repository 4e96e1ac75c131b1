// Runs a real reader sample (a ReaderProgram row) on the simulated card, in
// the test's own Wine prefix, with the card's call trace on: start and stop,
// press for a box and answer it, the trace, and a look at the card handle
// when the program ends.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "KitPaths.h"
#include "ReaderProgram.h"
#include "SimCard.h"
#include "UiAuto.h"

namespace reader_test {

using Strings = std::vector<std::string>;

// The reader's visible main window in the process (its class and caption
// prefix), once it comes; nullptr when none came in time.
HWND WaitForReaderWindow(DWORD processId, const ReaderProgram &reader, DWORD timeoutMs = kit_test::kProgramStartTimeoutMs);

// The control of the row in the reader's window, by id or by its caption.
HWND ReaderControlIn(HWND window, const ReaderControl &control);

class ReaderFixture : public ::testing::Test {
protected:
    explicit ReaderFixture(const ReaderProgram &reader);

    // Installs and starts the simulated card's driver, trace on.
    void SetUp() override;
    void TearDown() override;

    // Starts the sample in the kit folder and waits for its visible window.
    void Start(int showCommand = SW_SHOWNORMAL);

    // Start, with a look at the card handle when the program calls
    // ExitProcess: AtExitProcess() then says whether it was still open.
    void StartWatchingExit();

    // Starts the sample without waiting for a window (a start-up that shows
    // a box first, or none at all).
    void StartOnly(bool watchExit = false);

    struct AtExit {
        bool reached = false;
        DWORD exitCode = 0xBAD;
        bool cardOpen = false;
    };
    const AtExit &AtExitProcess() const { return atExit_; }

    // Waits for the sample's main window and finds its controls.
    void WaitForWindow();

    // The control of the row, in the main window (nullptr: none). Controls
    // found by caption are found once, when the window comes, so that a
    // status label is still found after its caption changed.
    HWND ControlOf(const ReaderControl &control) const;
    bool Press(const ReaderControl &control);

    // The card handle that the trace names, as a handle value of the program.
    HANDLE CardHandleValue() const;
    // Keeps a copy of the program's card handle, so that its end can tell
    // the card from another object given the same handle value later.
    bool KeepCardCopy();
    bool IsCardOpenIn(HANDLE process) const;

    std::string Status() const;
    // Puts `text` into the status, as an earlier read would have left it.
    void ShowInStatus(const std::string &text);
    // Read shows `line` in the status and no box. The status first gets a
    // text of the test's own, so that the wait sees this read's change: a
    // read that appends, or leaves the status alone, fails.
    void ExpectReadShows(const std::string &line);

    // Presses the button and reads the message box that it brings.
    uiauto::MessageBoxInfo PressForBox(int button);
    uiauto::MessageBoxInfo PressForBox(const ReaderControl &button);

    // A box of this program: its text, caption and icon, exactly one OK
    // button, the main window (or `owner`) as owner. Answers it with OK.
    void ExpectBoxAndAnswer(const uiauto::MessageBoxInfo &box, const std::string &text, const std::string &caption,
                            uiauto::IconKind icon);
    void ExpectBoxAndAnswer(const uiauto::MessageBoxInfo &box, const std::string &text, const std::string &caption,
                            uiauto::IconKind icon, HWND owner);

    // Ends the program the way a person would.
    bool End(Ending ending);

    // The exit code once the program has ended (0xBAD: still running).
    DWORD ExitCode(DWORD timeoutMs = uiauto::kDefaultTimeoutMs);

    std::string TracePath() const;
    Strings Trace() const;
    Strings Entries() const;

    // The card handle that MirvoOpen("KVT1") gave, as the trace writes it.
    std::string CardHandle() const;

    const ReaderProgram &reader_;
    uiauto::Process program_;
    HWND window_ = nullptr;
    AtExit atExit_;
    kit::KernelHandle cardCopy_;
    std::map<std::string, HWND> byCaption_;
};

// The cases every reader shares, on its row: a sample's tests instantiate them
//   INSTANTIATE_TEST_SUITE_P(mirvo_bc, ReaderCase, ::testing::Values(&kMirvoBc), ReaderCaseName);
//   INSTANTIATE_TEST_SUITE_P(mirvo_bc, ReaderEndingCase, ReaderEndings(kMirvoBc), ReaderEndingName);
// and add ReaderCases.cpp to their sources.
class ReaderCase : public ReaderFixture, public ::testing::WithParamInterface<const ReaderProgram *> {
protected:
    ReaderCase() : ReaderFixture(*GetParam()) {}
};

struct ReaderEnding {
    const ReaderProgram *reader;
    Ending ending;
};

class ReaderEndingCase : public ReaderFixture, public ::testing::WithParamInterface<ReaderEnding> {
protected:
    ReaderEndingCase() : ReaderFixture(*GetParam().reader) {}
};

// Readable parameters in the test list: the sample, and the ending.
inline void PrintTo(const ReaderProgram *reader, std::ostream *out) { *out << reader->name; }
inline void PrintTo(const ReaderEnding &ending, std::ostream *out) {
    *out << ending.reader->name << ' ' << NameOf(ending.ending);
}

std::string ReaderCaseName(const ::testing::TestParamInfo<const ReaderProgram *> &info);
std::string ReaderEndingName(const ::testing::TestParamInfo<ReaderEnding> &info);
::testing::internal::ParamGenerator<ReaderEnding> ReaderEndings(const ReaderProgram &reader);

}  // namespace reader_test
