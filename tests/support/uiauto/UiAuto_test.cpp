// uiauto's own checks, against a tiny window of our own (uiauto_fixture.exe):
// the parts whose faults would make other tests pass or fail wrongly.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "Launch.h"
#include "ModulePath.h"
#include "UiAuto.h"

namespace {

using uiauto::IconKind;

constexpr int kShowBox = 10, kDisabled = 11, kList = 20, kStatus = 30, kHandle = 31, kNumber = 32;

std::string FixturePath() {
    const std::string dir = kit::ModulePath();
    return dir.substr(0, dir.find_last_of('\\') + 1) + "uiauto_fixture.exe";
}

struct Fixture {
    uiauto::Process program;
    HWND window = nullptr;
};

void StartFixture(Fixture &fixture, const std::string &arguments = "") {
    fixture.program = uiauto::Process::Start(FixturePath(), arguments);
    ASSERT_TRUE(fixture.program.Started()) << fixture.program.Error();
    fixture.window =
        uiauto::WaitForTopWindow(fixture.program.Id(), "UIAUTOFIXTURE", nullptr, kit_test::kProgramStartTimeoutMs);
    ASSERT_NE(nullptr, fixture.window);
}

TEST(UiAuto, ReadsEachIconKindButtonsAndOwnerOfAMessageBox) {
    Fixture fixture;
    ASSERT_NO_FATAL_FAILURE(StartFixture(fixture));
    const IconKind kinds[] = {IconKind::Information, IconKind::Exclamation, IconKind::Stop, IconKind::Question};
    const int answers[] = {IDYES, IDNO, IDCANCEL, IDNO};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(uiauto::ToString(kinds[i]));
        ASSERT_TRUE(uiauto::PressButton(fixture.window, kShowBox));
        const uiauto::MessageBoxInfo box = uiauto::WaitForMessageBox(fixture.program.Id(), 5000, fixture.window);
        ASSERT_TRUE(box);
        EXPECT_EQ("Box caption", box.caption);
        EXPECT_EQ("Box text", box.text);
        EXPECT_EQ(fixture.window, box.owner);
        EXPECT_EQ(kinds[i], box.icon) << "read as the " << uiauto::ToString(box.icon);
        EXPECT_EQ((std::vector<int>{IDYES, IDNO, IDCANCEL}), box.ButtonIds());
        EXPECT_FALSE(uiauto::PressButton(fixture.window, kShowBox)) << "the box disables its owner";
        EXPECT_TRUE(uiauto::AnswerMessageBox(box.window, answers[i]));
        EXPECT_TRUE(uiauto::WaitForControlText(fixture.window, kStatus, "answer " + std::to_string(answers[i])))
            << uiauto::ControlText(fixture.window, kStatus);
    }
}

TEST(UiAuto, ReadsControlsAndRefusesWhatAPersonCouldNotPress) {
    Fixture fixture;
    ASSERT_NO_FATAL_FAILURE(StartFixture(fixture));
    EXPECT_EQ("ready", uiauto::ControlText(fixture.window, kStatus));
    EXPECT_EQ("<no control 99>", uiauto::ControlText(fixture.window, 99));
    EXPECT_EQ((std::vector<std::string>{"alpha", "beta", "gamma"}),
              uiauto::ListBoxLines(uiauto::Control(fixture.window, kList)));
    EXPECT_EQ(1, uiauto::ListBoxSelection(uiauto::Control(fixture.window, kList)));
    EXPECT_FALSE(uiauto::IsControlEnabled(fixture.window, kDisabled));
    EXPECT_FALSE(uiauto::PressButton(fixture.window, kDisabled));
    EXPECT_FALSE(uiauto::PressButton(fixture.window, 99));
    EXPECT_FALSE(uiauto::HasMessageBox(fixture.program.Id()));
}

// For programs whose controls have no ids, and layouts checked in pixels.
TEST(UiAuto, FindsControlsByCaptionAndClassAndReadsTheirPlace) {
    Fixture fixture;
    ASSERT_NO_FATAL_FAILURE(StartFixture(fixture));
    const HWND window = fixture.window;
    EXPECT_EQ(uiauto::Control(window, kShowBox), uiauto::FindControl(window, "&Show box"));
    EXPECT_EQ(uiauto::Control(window, kShowBox), uiauto::FindControl(window, "&Show box", "Button"));
    EXPECT_EQ(nullptr, uiauto::FindControl(window, "&Show box", "Static"));
    EXPECT_EQ(nullptr, uiauto::FindControl(window, "Show box")) << "the whole caption, access key included";
    EXPECT_EQ(uiauto::Control(window, kStatus), uiauto::FindControl(window, "ready"));
    EXPECT_EQ(uiauto::Control(window, kList), uiauto::FindControlOfClass(window, "ListBox"));
    EXPECT_EQ(uiauto::Control(window, kDisabled), uiauto::FindControlOfClass(window, "Button", 1));
    EXPECT_EQ(nullptr, uiauto::FindControlOfClass(window, "Button", 2));
    EXPECT_FALSE(uiauto::PressControl(uiauto::FindControl(window, "Disabled")));
    EXPECT_FALSE(uiauto::PressControl(nullptr));

    const RECT client = uiauto::ClientRect(window);
    EXPECT_EQ(0, client.left);
    EXPECT_EQ(0, client.top);
    EXPECT_LT(client.right, 300) << "the frame is not part of the client area";
    EXPECT_GT(client.right, 200);
    const RECT button = uiauto::ControlRect(uiauto::Control(window, kShowBox));
    EXPECT_EQ((std::vector<LONG>{10, 10, 130, 34}),
              (std::vector<LONG>{button.left, button.top, button.right, button.bottom}))
        << "where the fixture placed it in its client area";
    const RECT status = uiauto::ControlRect(uiauto::Control(window, kStatus));
    EXPECT_EQ((std::vector<LONG>{140, 40, 260, 64}),
              (std::vector<LONG>{status.left, status.top, status.right, status.bottom}));
}

// Wine 8 cannot carry WM_GETICON to another process, so the icons are read
// from a window of the test's own.
TEST(UiAuto, ReadsTheIconsSetOnAWindowAndThoseOfItsClass) {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    windowClass.hIconSm = LoadIconA(nullptr, IDI_QUESTION);
    windowClass.lpszClassName = "UIAUTOICONS";
    ASSERT_NE(0, RegisterClassExA(&windowClass));
    HWND window = CreateWindowA("UIAUTOICONS", "icons", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, window);
    EXPECT_EQ(nullptr, uiauto::IconsOf(window).big) << "none set yet";
    const HICON warning = LoadIconA(nullptr, IDI_WARNING);
    SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(warning));
    const uiauto::WindowIcons icons = uiauto::IconsOf(window);
    EXPECT_EQ(warning, icons.big);
    EXPECT_EQ(nullptr, icons.small) << "no small icon was set";
    EXPECT_EQ(windowClass.hIcon, icons.classBig);
    EXPECT_EQ(windowClass.hIconSm, icons.classSmall);
    DestroyWindow(window);
}

// A program started after the change formats numbers with the new separator.
TEST(UiAuto, UserDecimalSeparatorReachesAProgramStartedAfterwards) {
    {
        Fixture fixture;
        ASSERT_NO_FATAL_FAILURE(StartFixture(fixture));
        EXPECT_EQ(". 1.50", uiauto::ControlText(fixture.window, kNumber)) << "the prefix's own format";
    }
    ASSERT_EQ("", uiauto::SetUserDecimalSeparator(","));
    Fixture fixture;
    ASSERT_NO_FATAL_FAILURE(StartFixture(fixture));
    EXPECT_EQ(", 1,50", uiauto::ControlText(fixture.window, kNumber));
    EXPECT_EQ("", uiauto::SetUserDecimalSeparator("."));
}

// A start is made once more only when Wine's start-up ended it, and only once.
TEST(Launch, StartsOnceMoreOnlyWhenWinesStartUpEndedTheStart) {
    struct Row {
        DWORD firstError;   // 0: the first start succeeds
        DWORD secondError;  // 0: a second start succeeds
        int starts;
        bool started;
    };
    const Row rows[] = {
        {0, 0, 1, true},
        {ERROR_INTERNAL_ERROR, 0, 2, true},
        {ERROR_INTERNAL_ERROR, ERROR_INTERNAL_ERROR, 2, false},
        {ERROR_FILE_NOT_FOUND, 0, 1, false},
    };
    for (const Row &row : rows) {
        int starts = 0;
        const bool started = launch::StartOnceMoreIfWineEndedIt("the start", [&] {
            const DWORD error = ++starts == 1 ? row.firstError : row.secondError;
            SetLastError(error);
            return error == 0;
        });
        const DWORD error = GetLastError();
        EXPECT_EQ(row.starts, starts) << "first error " << row.firstError;
        EXPECT_EQ(row.started, started) << "first error " << row.firstError;
        if (!started) {
            EXPECT_EQ(starts == 1 ? row.firstError : row.secondError, error) << "the last start's error stays";
        }
    }
}

TEST(UiAuto, WaitsEndInTimeAndAProcessLeftRunningIsKilled) {
    kit::KernelHandle copy;
    {
        Fixture fixture;
        ASSERT_NO_FATAL_FAILURE(StartFixture(fixture));
        const ULONGLONG start = GetTickCount64();
        EXPECT_FALSE(uiauto::WaitForMessageBox(fixture.program.Id(), 300));
        EXPECT_EQ(nullptr, uiauto::WaitForTopWindow(fixture.program.Id(), "NOSUCHCLASS", nullptr, 300));
        EXPECT_FALSE(fixture.program.WaitForExit(300).has_value());
        EXPECT_LT(GetTickCount64() - start, 3000u) << "three waits of 300 ms";
        ASSERT_TRUE(DuplicateHandle(GetCurrentProcess(), fixture.program.Handle(), GetCurrentProcess(), copy.receive(),
                                    SYNCHRONIZE, FALSE, 0));
    }
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(copy.get(), 0)) << "the fixture still runs after its Process went";
}

TEST(UiAuto, SystemMenuCloseEndsAndGivesTheExitCode) {
    Fixture fixture;
    ASSERT_NO_FATAL_FAILURE(StartFixture(fixture));
    ASSERT_TRUE(uiauto::CloseFromSystemMenu(fixture.window));
    EXPECT_EQ(7u, fixture.program.WaitForExit().value_or(0xBAD));
    EXPECT_TRUE(uiauto::WaitForWindowGone(fixture.window, 1000));
}

// The exit watch sees a handle that the program closed as closed, and one
// it left open as open, with the exit code it passes to ExitProcess.
class UiAutoExitWatch : public ::testing::TestWithParam<bool> {};

TEST_P(UiAutoExitWatch, SeesWhetherTheProgramClosedItsHandle) {
    const bool closes = GetParam();
    bool reached = false, open = false;
    DWORD code = 0;
    HANDLE value = nullptr;
    kit::KernelHandle copy;
    uiauto::Process program = uiauto::Process::StartWatchingExit(
        FixturePath(), closes ? "close-handle" : "", "", SW_SHOWNORMAL, [&](HANDLE process, DWORD exitCode) {
            reached = true;
            code = exitCode;
            open = uiauto::ProgramHandleRefersTo(process, value, copy.get());
        });
    ASSERT_TRUE(program.Started()) << program.Error();
    HWND window = uiauto::WaitForTopWindow(program.Id(), "UIAUTOFIXTURE");
    ASSERT_NE(nullptr, window);
    value = reinterpret_cast<HANDLE>(std::strtoull(uiauto::ControlText(window, kHandle).c_str(), nullptr, 16));
    copy = uiauto::CopyProgramHandle(program.Handle(), value);
    ASSERT_TRUE(copy.valid());
    ASSERT_TRUE(uiauto::PressEscape(window));
    EXPECT_EQ(7u, program.WaitForExit().value_or(0xBAD));
    EXPECT_TRUE(reached);
    EXPECT_EQ(7u, code);
    EXPECT_EQ(!closes, open);
}

INSTANTIATE_TEST_SUITE_P(UiAuto, UiAutoExitWatch, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool> &info) {
                             return info.param ? "ClosedHandle" : "OpenHandle";
                         });

TEST(UiAuto, ScreenshotIsABitmapOfTheWindow) {
    Fixture fixture;
    ASSERT_NO_FATAL_FAILURE(StartFixture(fixture));
    const std::string path = "C:\\uiauto-shot.bmp";
    ASSERT_TRUE(uiauto::SaveScreenshot(fixture.window, path));
    std::ifstream file(path, std::ios::binary);
    BITMAPFILEHEADER header = {};
    BITMAPINFOHEADER info = {};
    file.read(reinterpret_cast<char *>(&header), sizeof header);
    file.read(reinterpret_cast<char *>(&info), sizeof info);
    RECT rect;
    GetWindowRect(fixture.window, &rect);
    EXPECT_EQ(0x4d42, header.bfType);
    EXPECT_EQ(rect.right - rect.left, info.biWidth);
    EXPECT_EQ(rect.bottom - rect.top, info.biHeight);
    EXPECT_EQ(24, info.biBitCount);
    file.seekg(0, std::ios::end);
    EXPECT_EQ(static_cast<std::streamoff>(header.bfSize), static_cast<std::streamoff>(file.tellg()));
    file.close();
    DeleteFileA(path.c_str());  // its program's other cases share the prefix
}

}  // namespace
