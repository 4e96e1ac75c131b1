// Runs the real mirvo_bc.exe on the simulated card, in the test's own Wine
// prefix, with the card's call trace on.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "KitPaths.h"
#include "SimCard.h"
#include "UiAuto.h"

namespace mirvo_bc_test {

constexpr int kExit = IDCANCEL;
constexpr int kInitCard = 1000;
constexpr int kFinishCard = 1001;
constexpr int kReadCard = 1002;
constexpr int kStatus = 1003;

class ReaderTest : public ::testing::Test {
protected:
    static constexpr const char *kTrace = "C:\\mirvo_bc-trace.log";

    void SetUp() override {
        ASSERT_EQ("", simcard::InstallAndStartDriver());
        simcard::EnableTrace(kTrace);
    }

    // Starts mirvo_bc in the kit folder and waits for its visible window.
    void Start(int showCommand = SW_SHOWNORMAL) {
        program_ = uiauto::Process::Start(kit::KitPath("mirvo_bc.exe"), "", kit::KitDir(), showCommand);
        WaitForWindow();
    }

    // Start, with a look at the card handle when the program calls
    // ExitProcess: AtExit() then says whether it was still open.
    void StartWatchingExit() {
        program_ = uiauto::Process::StartWatchingExit(
            kit::KitPath("mirvo_bc.exe"), "", kit::KitDir(), SW_SHOWNORMAL, [this](HANDLE process, DWORD exitCode) {
                atExit_.exitCode = exitCode;
                atExit_.cardOpen = IsCardOpenIn(process);
                atExit_.reached = true;
            });
        WaitForWindow();
    }

    struct AtExit {
        bool reached = false;
        DWORD exitCode = 0xBAD;
        bool cardOpen = false;
    };
    const AtExit &AtExitProcess() const { return atExit_; }

    // The card handle that the trace names, as a handle value of the program.
    HANDLE CardHandleValue() const {
        return reinterpret_cast<HANDLE>(std::strtoull(CardHandle().c_str(), nullptr, 16));
    }

    // Keeps a copy of the program's card handle, so that its end can tell
    // the card from another object given the same handle value later.
    bool KeepCardCopy() {
        cardCopy_ = uiauto::CopyProgramHandle(program_.Handle(), CardHandleValue());
        return cardCopy_ != nullptr;
    }

    bool IsCardOpenIn(HANDLE process) const {
        return cardCopy_ && uiauto::ProgramHandleRefersTo(process, CardHandleValue(), cardCopy_);
    }

    void TearDown() override {
        program_.Kill();
        if (cardCopy_) CloseHandle(cardCopy_);
    }

    void WaitForWindow() {
        ASSERT_TRUE(program_.Started()) << program_.Error();
        window_ = uiauto::WaitForTopWindow(program_.Id(), "MIRVOTEST");
        ASSERT_NE(nullptr, window_) << "mirvo_bc showed no MIRVOTEST window";
    }

    std::string Status() const { return uiauto::ControlText(window_, kStatus); }

    // Presses the button and reads the message box that it brings.
    uiauto::MessageBoxInfo PressForBox(int button) {
        EXPECT_TRUE(uiauto::PressButton(window_, button)) << "button " << button;
        uiauto::MessageBoxInfo box = uiauto::WaitForMessageBox(program_.Id());
        EXPECT_TRUE(box) << "no message box after button " << button;
        return box;
    }

    // A box of this program: its text, caption and icon, exactly one OK
    // button, the dialog window as owner. Answers it with OK.
    void ExpectBoxAndAnswer(const uiauto::MessageBoxInfo &box, const std::string &text,
                            const std::string &caption, uiauto::IconKind icon) {
        ASSERT_TRUE(box) << "expected the box \"" << text << "\"";
        EXPECT_EQ(text, box.text);
        EXPECT_EQ(caption, box.caption);
        EXPECT_EQ(icon, box.icon) << "shows the " << uiauto::ToString(box.icon) << ", expected the "
                                  << uiauto::ToString(icon);
        EXPECT_EQ(std::vector<int>{IDOK}, box.ButtonIds()) << "exactly one OK button";
        if (box.buttons.size() == 1) {
            EXPECT_EQ("OK", box.buttons[0].text);
        }
        EXPECT_EQ(window_, box.owner) << "the dialog window owns the box";
        EXPECT_TRUE(uiauto::AnswerMessageBox(box.window, IDOK)) << "the box did not close on OK";
    }

    // The exit code once the program has ended (0xBAD: still running).
    DWORD ExitCode(DWORD timeoutMs = uiauto::kDefaultTimeoutMs) {
        return program_.WaitForExit(timeoutMs).value_or(0xBAD);
    }

    std::vector<std::string> Trace() const { return simcard::ReadTrace(kTrace); }
    std::vector<std::string> Entries() const { return simcard::TracedEntries(kTrace); }

    // The card handle that MirvoOpen("KVT1") gave, as the trace writes it.
    std::string CardHandle() const {
        const std::vector<std::string> trace = Trace();
        const std::string open = "MirvoOpen(\"KVT1\") = ";
        if (trace.empty() || trace[0].compare(0, open.size(), open) != 0) return "<no MirvoOpen(\"KVT1\") first>";
        return trace[0].substr(open.size(), 10);
    }

    uiauto::Process program_;
    HWND window_ = nullptr;
    AtExit atExit_;
    HANDLE cardCopy_ = nullptr;
};

}  // namespace mirvo_bc_test
