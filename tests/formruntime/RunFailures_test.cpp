// What stops the runtime once the form runs: an exception that reaches the
// form's window procedure, and a message loop that cannot get its next
// message. Both close the form, are reported after the loop and end the run
// with the runtime-failure code.
#include <gtest/gtest.h>
#include <windows.h>

#include <stdexcept>

#include "ImportHook.h"
#include "Program.h"
#include "SystemText.h"
#include "UiAuto.h"

namespace formrt {
namespace {

constexpr char kTitle[] = "Probe";
// The report comes after a whole run of the form: on a busy machine that
// takes longer than a click's answer.
constexpr DWORD kRunTimeoutMs = 20000;

class ProbeForm : public EventForm<ProbeForm> {
public:
    ProbeForm()
        : EventForm(FormLayout{"Probe form", 3000, 1500,
                               {{ControlKind::CommandButton, "Press", "&Press", {120, 120, 1200, 400}, 0}}}) {}

    // Enter reaches the form as IDOK and asks for the focused control.
    void Form_Load() {
        if (pressEnter) PostMessageA(WindowHandle(), WM_COMMAND, IDOK, 0);
    }
    void Press_Click() {}

    static constexpr void (ProbeForm::*kLoad)() = &ProbeForm::Form_Load;
    static const ClickHandler<ProbeForm> kClicks[1];
    static inline bool pressEnter = false;
};
const ClickHandler<ProbeForm> ProbeForm::kClicks[1] = {{"Press", &ProbeForm::Press_Click}};

Application ProbeApplication() { return {kTitle, [] { return std::make_unique<ProbeForm>(); }}; }

// The focus query inside the form's own handling fails the way a handler
// that runs out of memory would.
HWND WINAPI ThrowingGetFocus() { throw std::runtime_error("out of focus"); }

TEST(RunFailures, AnExceptionInTheWindowProcedureClosesTheFormAndIsReportedAfterTheLoop) {
    kit_test::ImportHook hook("GetFocus", reinterpret_cast<void *>(ThrowingGetFocus));
    ASSERT_TRUE(hook.Installed());
    ProbeForm::pressEnter = true;
    auto report = uiauto::AnswerNextBox(nullptr, kRunTimeoutMs);
    EXPECT_EQ(kExitRuntimeFailure, formrt::Run(ProbeApplication(), SW_SHOWNORMAL));
    const uiauto::MessageBoxInfo box = report.get();
    ASSERT_TRUE(box) << "no report";
    EXPECT_EQ("out of focus", box.text);
    EXPECT_EQ(kTitle, box.caption);
    EXPECT_EQ(uiauto::IconKind::Stop, box.icon);
    EXPECT_EQ(nullptr, box.owner) << "reported once the form was closed";
}

TEST(RunFailures, AFailedMessageLoopIsReportedWithTheSystemsTextAndTheFailureCode) {
    kit_test::ImportHook hook("GetMessageA", reinterpret_cast<void *>(kit_test::FailingGetMessage));
    ASSERT_TRUE(hook.Installed());
    auto report = uiauto::AnswerNextBox(nullptr, kRunTimeoutMs);
    EXPECT_EQ(kExitRuntimeFailure, formrt::Run(ProbeApplication(), SW_SHOWNORMAL));
    const uiauto::MessageBoxInfo box = report.get();
    ASSERT_TRUE(box) << "no report";
    EXPECT_EQ(SystemText(ERROR_INVALID_HANDLE), box.text);
    EXPECT_EQ(uiauto::IconKind::Stop, box.icon);
}

}  // namespace
}  // namespace formrt
