// Runs the real Mirvo_vb.exe on the simulated card, in the test's own Wine
// prefix, with the card's call trace on.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "KitPaths.h"
#include "SimCard.h"
#include "UiAuto.h"

namespace mirvo_vb_test {

// The form runtime gives controls the ids 100, 101, ... in table order.
constexpr int kInit = 100;
constexpr int kFinish = 101;
constexpr int kRead = 102;
constexpr int kResult = 103;
constexpr char kFormClass[] = "FormrtForm";
constexpr char kCaption[] = "Mirvo Form";
constexpr char kTitle[] = "Mirvo_vb";

class FormReaderTest : public ::testing::Test {
protected:
    static constexpr const char *kTrace = "C:\\mirvo_vb-trace.log";

    void SetUp() override {
        ASSERT_EQ("", simcard::InstallAndStartDriver());
        simcard::EnableTrace(kTrace);
    }

    void TearDown() override {
        program_.Kill();
        if (cardCopy_) CloseHandle(cardCopy_);
    }

    // Starts Mirvo_vb (from the kit unless told) and, unless told not to,
    // waits for its form.
    void Start(bool waitForForm = true, const std::string &program = kit::KitPath("Mirvo_vb.exe")) {
        program_ = uiauto::Process::Start(program, "", "", SW_SHOWNORMAL);
        ASSERT_TRUE(program_.Started()) << program_.Error();
        if (waitForForm) ASSERT_NO_FATAL_FAILURE(WaitForForm());
    }

    // Start, with a look at the card handle when the program calls ExitProcess.
    void StartWatchingExit() {
        program_ = uiauto::Process::StartWatchingExit(
            kit::KitPath("Mirvo_vb.exe"), "", kit::KitDir(), SW_SHOWNORMAL, [this](HANDLE process, DWORD) {
                atExitCardOpen_ = cardCopy_ && uiauto::ProgramHandleRefersTo(process, CardHandleValue(), cardCopy_);
                atExitReached_ = true;
            });
        ASSERT_TRUE(program_.Started()) << program_.Error();
        ASSERT_NO_FATAL_FAILURE(WaitForForm());
    }

    void WaitForForm() {
        form_ = uiauto::WaitForTopWindow(program_.Id(), kFormClass, kCaption);
        ASSERT_NE(nullptr, form_) << "Mirvo_vb showed no \"Mirvo Form\"";
    }

    std::string Label() const { return uiauto::ControlText(form_, kResult); }

    // The control that has the keyboard focus in the program.
    HWND Focus() const {
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(GetWindowThreadProcessId(form_, nullptr), &info);
        return info.hwndFocus;
    }

    // Presses the button and reads the message box that it brings.
    uiauto::MessageBoxInfo PressForBox(int button) {
        EXPECT_TRUE(uiauto::PressButton(form_, button)) << "button " << button;
        uiauto::MessageBoxInfo box = uiauto::WaitForMessageBox(program_.Id());
        EXPECT_TRUE(box) << "no message box after button " << button;
        return box;
    }

    // A box with the application's title, one OK button and this owner;
    // answers it with OK.
    void ExpectBoxAndAnswer(const uiauto::MessageBoxInfo &box, const std::string &text, uiauto::IconKind icon,
                            HWND owner) {
        ASSERT_TRUE(box) << "expected the box \"" << text << "\"";
        EXPECT_EQ(text, box.text);
        EXPECT_EQ(kTitle, box.caption);
        EXPECT_EQ(icon, box.icon) << "shows the " << uiauto::ToString(box.icon) << ", expected the "
                                  << uiauto::ToString(icon);
        EXPECT_EQ(std::vector<int>{IDOK}, box.ButtonIds()) << "exactly one OK button";
        EXPECT_EQ(owner, box.owner);
        EXPECT_TRUE(uiauto::AnswerMessageBox(box.window, IDOK)) << "the box did not close on OK";
    }

    // A press that shows nothing: no box, the label as it was.
    void ExpectSilentPress(int button) {
        const std::string label = Label();
        ASSERT_TRUE(uiauto::PressButton(form_, button)) << "button " << button;
        EXPECT_FALSE(uiauto::WaitForMessageBox(program_.Id(), 500)) << "button " << button << " showed a box";
        EXPECT_EQ(label, Label());
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
    HANDLE CardHandleValue() const {
        return reinterpret_cast<HANDLE>(std::strtoull(CardHandle().c_str(), nullptr, 16));
    }
    bool KeepCardCopy() {
        cardCopy_ = uiauto::CopyProgramHandle(program_.Handle(), CardHandleValue());
        return cardCopy_ != nullptr;
    }

    uiauto::Process program_;
    HWND form_ = nullptr;
    HANDLE cardCopy_ = nullptr;
    bool atExitReached_ = false;
    bool atExitCardOpen_ = false;
};

}  // namespace mirvo_vb_test
