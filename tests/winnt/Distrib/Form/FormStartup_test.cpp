// How Mirvo_vb starts and ends: its form as laid out in twips, a card that
// cannot be opened, a library that is missing or lacks an entry, and the
// end when the form is closed.
#include <windows.h>

#include "FormReaderFixture.h"

namespace mirvo_vb_test {
namespace {

using uiauto::IconKind;
using Strings = std::vector<std::string>;

// A program copied alone into a folder of the test's prefix, with the files
// named beside it.
std::string CopyProgramInto(const std::string &folder, const std::vector<std::string> &besideIt = {}) {
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string program = folder + "\\Mirvo_vb.exe";
    EXPECT_TRUE(CopyFileA(kit::KitPath("Mirvo_vb.exe").c_str(), program.c_str(), FALSE));
    for (const std::string &file : besideIt) {
        const std::string name = file.substr(file.find_last_of('\\') + 1);
        EXPECT_TRUE(CopyFileA(file.c_str(), (folder + "\\" + name).c_str(), FALSE)) << file;
    }
    return program;
}

RECT RectInClient(HWND form, HWND control) {
    RECT rect = {};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, form, reinterpret_cast<POINT *>(&rect), 2);
    return rect;
}

TEST_F(FormReaderTest, ShowsTheFormWithItsControlsTheLabelClosedAndTheFocusOnInit) {
    ASSERT_NO_FATAL_FAILURE(Start());
    const Strings captions = {"Init", "Finish", "&Read", "Closed"};
    for (int id = kInit; id <= kResult; ++id) {
        EXPECT_EQ(captions[id - kInit], uiauto::ControlText(form_, id));
        EXPECT_TRUE(uiauto::IsControlVisible(form_, id)) << "every control is a child window: " << id;
    }
    EXPECT_EQ("Button", uiauto::ClassOf(uiauto::Control(form_, kRead)));
    EXPECT_EQ("Static", uiauto::ClassOf(uiauto::Control(form_, kResult)));
    EXPECT_TRUE(uiauto::WaitUntil([&] { return Focus() == uiauto::Control(form_, kInit); })) << "tab index 0";
    EXPECT_FALSE(uiauto::HasMessageBox(program_.Id()));
    EXPECT_EQ(Strings{"MirvoOpen"}, Entries()) << "the card is opened at load";
    EXPECT_NE("0xFFFFFFFF", CardHandle());

    EXPECT_TRUE(uiauto::SaveScreenshot(form_, "C:\\Mirvo_vb.bmp"));
}

// The layout in twips, at the display's pixels per inch: 96 as prepared,
// and 120 set in the prefix before the program starts.
class FormLayoutTest : public FormReaderTest, public ::testing::WithParamInterface<int> {};

TEST_P(FormLayoutTest, MeasuresItsTwipsAtTheDisplaysPixelsPerInch) {
    const int dpi = GetParam();
    if (dpi != 96) {
        HKEY key = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0,
                                                 KEY_SET_VALUE, nullptr, &key, nullptr));
        const DWORD value = static_cast<DWORD>(dpi);
        RegSetValueExA(key, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE *>(&value), sizeof value);
        RegCloseKey(key);
    }
    ASSERT_NO_FATAL_FAILURE(Start());
    auto pixels = [dpi](int twips) { return MulDiv(twips, dpi, 1440); };
    RECT client = {};
    GetClientRect(form_, &client);
    EXPECT_EQ(pixels(3732), client.right) << "client width at " << dpi << " dpi";
    EXPECT_EQ(pixels(1608), client.bottom) << "client height at " << dpi << " dpi";

    const int twips[4][4] = {{240, 240, 972, 372}, {1440, 240, 972, 372}, {240, 840, 972, 372}, {1440, 840, 1932, 372}};
    for (int id = kInit; id <= kResult; ++id) {
        const int *t = twips[id - kInit];
        const RECT rect = RectInClient(form_, uiauto::Control(form_, id));
        EXPECT_EQ(pixels(t[0]), rect.left) << "control " << id;
        EXPECT_EQ(pixels(t[1]), rect.top) << "control " << id;
        EXPECT_EQ(pixels(t[2]), rect.right - rect.left) << "control " << id;
        EXPECT_EQ(pixels(t[3]), rect.bottom - rect.top) << "control " << id;
    }
}

INSTANTIATE_TEST_SUITE_P(Form, FormLayoutTest, ::testing::Values(96, 120),
                         [](const ::testing::TestParamInfo<int> &info) { return "At" + std::to_string(info.param); });

TEST_F(FormReaderTest, FailedOpenIsReportedBeforeTheFormWhichThenPassesMinusOneToEveryCall) {
    simcard::SetFault("KVT1", simcard::Entry::Open, 0);
    ASSERT_NO_FATAL_FAILURE(Start(false));
    const uiauto::MessageBoxInfo box = uiauto::WaitForMessageBox(program_.Id());
    EXPECT_EQ(nullptr, uiauto::FindTopWindow(program_.Id(), kFormClass, kCaption)) << "no form before the box";
    ExpectBoxAndAnswer(box, "Could not open driver", IconKind::Exclamation, nullptr);
    ASSERT_NO_FATAL_FAILURE(WaitForForm());
    EXPECT_EQ("Closed", Label());

    ExpectBoxAndAnswer(PressForBox(kInit), "Could not init card", IconKind::Exclamation, form_);
    ASSERT_TRUE(uiauto::PressButton(form_, kRead));
    EXPECT_TRUE(uiauto::WaitForControlText(form_, kResult, "Read error")) << Label();
    ExpectBoxAndAnswer(PressForBox(kFinish), "Could not finish card", IconKind::Exclamation, form_);
    const Strings trace = Trace();
    ASSERT_EQ(4u, trace.size());
    EXPECT_EQ("MirvoOpen(\"KVT1\") = 0xFFFFFFFF", trace[0].substr(0, 30));
    EXPECT_EQ("MirvoInit(0xFFFFFFFF)", trace[1].substr(0, 21));
    EXPECT_EQ("MirvoGetCurrentWeight4(0xFFFFFFFF, buffer)", trace[2].substr(0, 42));
    EXPECT_EQ("MirvoFinish(0xFFFFFFFF)", trace[3].substr(0, 23));
}

TEST_F(FormReaderTest, MissingLibraryEndsTheProgramWithTheRuntimesReportBeforeAnyForm) {
    ASSERT_NO_FATAL_FAILURE(Start(false, CopyProgramInto("C:\\alone")));
    const uiauto::MessageBoxInfo box = uiauto::WaitForMessageBox(program_.Id());
    ASSERT_TRUE(box);
    EXPECT_EQ(0u, box.text.find("The library \"Mirvo\" could not be loaded for its entry \"MirvoOpen\".\n"))
        << box.text;
    EXPECT_EQ(kTitle, box.caption);
    EXPECT_EQ(IconKind::Stop, box.icon) << uiauto::ToString(box.icon);
    EXPECT_EQ(nullptr, uiauto::FindTopWindow(program_.Id(), kFormClass, kCaption));
    ASSERT_TRUE(uiauto::AnswerMessageBox(box.window, IDOK));
    EXPECT_EQ(2u, ExitCode()) << "the runtime's exit code for a binding failure";
    EXPECT_TRUE(Trace().empty());
}

// The stand-in library's reads succeed and fail by turns.
TEST_F(FormReaderTest, LibraryWithoutMirvoFinishWorksUntilFinishIsPressed) {
    ASSERT_NO_FATAL_FAILURE(
        Start(true, CopyProgramInto("C:\\nofinish", {kit::WindowsPathFromHost(MIRVO_NOFINISH_DLL_HOST)})));
    ExpectSilentPress(kInit);
    ASSERT_TRUE(uiauto::PressButton(form_, kRead));
    EXPECT_TRUE(uiauto::WaitForControlText(form_, kResult, "1.50|0.00|-2.25|100.00")) << Label();
    ASSERT_TRUE(uiauto::PressButton(form_, kRead));
    EXPECT_TRUE(uiauto::WaitForControlText(form_, kResult, "Read error")) << "a failed read replaces the weights";

    const uiauto::MessageBoxInfo box = PressForBox(kFinish);
    ASSERT_TRUE(box);
    EXPECT_EQ(0u, box.text.find("The library \"Mirvo\" has no entry \"MirvoFinish\".\n")) << box.text;
    EXPECT_EQ(kTitle, box.caption);
    EXPECT_EQ(IconKind::Stop, box.icon) << uiauto::ToString(box.icon);
    EXPECT_EQ(form_, box.owner);
    ASSERT_TRUE(uiauto::AnswerMessageBox(box.window, IDOK));
    EXPECT_EQ(2u, ExitCode());
}

TEST_F(FormReaderTest, ClosingTheFormEndsWithoutFinishingOrReleasingTheCard) {
    ASSERT_NO_FATAL_FAILURE(StartWatchingExit());
    ExpectSilentPress(kInit);
    ASSERT_TRUE(KeepCardCopy()) << "the card handle " << CardHandle() << " is open while it runs";
    ASSERT_TRUE(uiauto::PressEscape(form_));
    EXPECT_FALSE(program_.WaitForExit(500)) << "Esc does not close a form without a cancel button";
    ASSERT_TRUE(uiauto::CloseFromSystemMenu(form_));
    EXPECT_EQ(0u, ExitCode());
    ASSERT_TRUE(atExitReached_) << "the program never called ExitProcess";
    EXPECT_TRUE(atExitCardOpen_) << "the card handle is still open when the program ends";
    EXPECT_EQ((Strings{"MirvoOpen", "MirvoInit"}), Entries());
}

}  // namespace
}  // namespace mirvo_vb_test
