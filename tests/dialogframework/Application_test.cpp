// The application object: the framework's main routine and its exit codes,
// the name, icons, and the default help that a message map routes to.
#include "ProbeDialog.h"

#include <new>

#include "ImportHook.h"

namespace dialogframework_test {
namespace {

class ProbeApp : public Application {
public:
    explicit ProbeApp(const char *name = nullptr, std::function<bool()> start = [] { return false; })
        : Application(name), start_(std::move(start)) {}

    const MessageMap &Messages() const override {
        static const MessageRoute routes[] = {OnClicked(kHelpCommand, &Application::ShowDefaultHelp)};
        static const MessageMap map = MakeMessageMap(&Application::Messages(), routes);
        return map;
    }
    bool InitialiseInstance() override {
        ++starts;
        return start_();
    }
    int starts = 0;

private:
    std::function<bool()> start_;
};

TEST(Application, FalseFromInitialiseEndsWithZeroWithoutALoop) {
    ProbeApp app;
    PostThreadMessageA(GetCurrentThreadId(), WM_QUIT, 9, 0);
    EXPECT_EQ(kExitNormal, app.Run(GetModuleHandleA(nullptr)));
    EXPECT_EQ(1, app.starts);
    MSG left = {};
    EXPECT_TRUE(PeekMessageA(&left, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "no loop took the quit message";
}

TEST(Application, TrueFromInitialiseRunsTheLoopUntilQuit) {
    ProbeApp app(nullptr, [] {
        PostQuitMessage(7);
        return true;
    });
    EXPECT_EQ(7, app.Run(GetModuleHandleA(nullptr)));
}

TEST(Application, OneObjectPerProgramNamedAfterTheExecutable) {
    EXPECT_EQ(nullptr, Application::Current());
    {
        ProbeApp first;
        ProbeApp second("Second");
        EXPECT_EQ(&first, Application::Current()) << "the first object is the program's";
        EXPECT_EQ("dialogframework_tests", first.Name());
        EXPECT_EQ("Second", second.Name());
        EXPECT_TRUE(first.UseThreeDControls());
    }
    EXPECT_EQ(nullptr, Application::Current());
}

TEST(Application, LoadsIconsOfItsInstance) {
    ProbeApp app(nullptr, [&] { return false; });
    app.Run(GetModuleHandleA(nullptr));
    EXPECT_NE(nullptr, app.LoadIconResource(IDI_PROBE));
    EXPECT_EQ(nullptr, app.LoadIconResource(4711));
}

TEST(Application, HelpCommandNoDialogHandlesShowsTheDefaultHelpOverTheMainWindow) {
    ProbeApp app("Probe");
    ProbeDialog dialog;
    app.SetMainWindow(&dialog);
    uiauto::MessageBoxInfo help;
    HWND window = nullptr;
    dialog.RunSteps({[&](ProbeDialog &d) {
        window = d.Handle();
        auto answer = AnswerNextBox(d.Handle());
        SendMessageA(d.Handle(), WM_COMMAND, MAKEWPARAM(kHelpCommand, 0), 0);
        help = answer.get();
    }});
    ASSERT_TRUE(help) << "no help box";
    EXPECT_EQ("No help is available for Probe.", help.text);
    EXPECT_EQ("Probe", help.caption);
    EXPECT_EQ(uiauto::IconKind::Information, help.icon);
    EXPECT_EQ(window, help.owner);
}

TEST(Application, ForgetsAMainWindowThatIsGone) {
    ProbeApp app;
    {
        ProbeDialog dialog;
        app.SetMainWindow(&dialog);
    }
    EXPECT_EQ(nullptr, app.MainWindow());
}

TEST(Application, AnExceptionFromAHandlerEndsTheDialogAndTheRunWithTheFailureCode) {
    ProbeDialog dialog;
    int stepsAfter = 0;
    ProbeApp app(nullptr, [&] {
        dialog.RunSteps({[](ProbeDialog &) { throw std::bad_alloc(); }, [&](ProbeDialog &) { ++stepsAfter; }});
        ADD_FAILURE() << "the modal run gave the exception back";
        return false;
    });
    EXPECT_EQ(kExitRuntimeFailure, app.Run(GetModuleHandleA(nullptr)));
    EXPECT_EQ(0, stepsAfter) << "the dialog ended at the exception";
    EXPECT_EQ(nullptr, dialog.Handle()) << "let go of the window all the same";
    EXPECT_EQ(nullptr, dialog.text.Handle()) << "and of the bound control";
}

TEST(Application, AFailedMessageLoopEndsWithTheFailureCodeNotAStaleQuitCode) {
    kit_test::ImportHook hook("GetMessageA", reinterpret_cast<void *>(kit_test::FailingGetMessage));
    ASSERT_TRUE(hook.Installed());
    ProbeApp app(nullptr, [] { return true; });
    EXPECT_EQ(kExitRuntimeFailure, app.Run(GetModuleHandleA(nullptr)));
}

// Up to Windows XP a path cut at the buffer's size comes without its zero.
const std::string kLongPath = "C:\\" + std::string(300, 'd') + "\\Probe.exe";
DWORD WINAPI CuttingGetModuleFileName(HMODULE, LPSTR buffer, DWORD size) {
    const DWORD length = static_cast<DWORD>(kLongPath.size()) < size ? static_cast<DWORD>(kLongPath.size()) : size;
    std::memcpy(buffer, kLongPath.data(), length);
    if (length < size) buffer[length] = '\0';
    return length;
}

TEST(Application, NamedAfterTheWholeModulePathEvenWhereTheSystemCutsIt) {
    kit_test::ImportHook hook("GetModuleFileNameA", reinterpret_cast<void *>(CuttingGetModuleFileName));
    ASSERT_TRUE(hook.Installed());
    ProbeApp app;
    EXPECT_EQ("Probe", app.Name());
}

}  // namespace
}  // namespace dialogframework_test
