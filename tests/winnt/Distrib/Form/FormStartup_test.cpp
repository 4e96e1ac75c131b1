// How Mirvo_vb starts and ends: its form as laid out in twips, a card that
// cannot be opened, and a library that is missing or lacks an entry.
#include <windows.h>

#include <cstdlib>

#include "MirvoVbReader.h"
#include "UniqueHandle.h"

namespace mirvo_vb_test {
namespace {

using reader_test::ReaderCase;
using reader_test::ReaderEndingCase;

INSTANTIATE_TEST_SUITE_P(Mirvo_vb, ReaderCase, ::testing::Values(&MirvoVb()), reader_test::ReaderCaseName);
INSTANTIATE_TEST_SUITE_P(Mirvo_vb, ReaderEndingCase, reader_test::ReaderEndings(MirvoVb()),
                         reader_test::ReaderEndingName);

TEST_F(FormReaderTest, ShowsTheFormWithItsControlsTheLabelClosedAndTheFocusOnInit) {
    ASSERT_NO_FATAL_FAILURE(Start());
    EXPECT_EQ("Mirvo Form", uiauto::TextOf(window_));
    for (const char *caption : {"Init", "Finish", "&Read"})
        EXPECT_NE(nullptr, uiauto::FindControl(window_, caption, "Button")) << caption;
    EXPECT_EQ(uiauto::Control(window_, kResult), uiauto::FindControl(window_, "Closed", "Static"))
        << "the label is a child window too";
    EXPECT_TRUE(FocusComesTo(Init())) << "tab index 0";
    EXPECT_FALSE(uiauto::HasMessageBox(program_.Id()));
    EXPECT_EQ(Strings{"MirvoOpen"}, Entries()) << "the card is opened at load";
    EXPECT_NE("0xFFFFFFFF", CardHandle());
    EXPECT_TRUE(uiauto::SaveScreenshot(window_, "C:\\Mirvo_vb.bmp"));
}

// Wine's version, 0 on Windows.
int WineMajorVersion() {
    using GetVersion = const char *(CDECL *)();
    const auto get = reinterpret_cast<GetVersion>(
        reinterpret_cast<void *>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version")));
    return get ? std::atoi(get()) : 0;
}

// The layout in twips, at the display's pixels per inch: 96 as prepared,
// and 120 set in the prefix before the program starts.
class FormLayoutTest : public FormReaderTest, public ::testing::WithParamInterface<int> {};

TEST_P(FormLayoutTest, MeasuresItsTwipsAtTheDisplaysPixelsPerInch) {
    const int dpi = GetParam();
    if (dpi != 96 && WineMajorVersion() >= 9)
        GTEST_SKIP() << "Wine 9 and later take the dpi from the display, not from the user's LogPixels: "
                        "a test cannot give a new program 120 dpi";
    // Measured in the display's own pixels, as the form is laid out.
    using SetAware = BOOL(WINAPI *)();
    if (const auto setAware = reinterpret_cast<SetAware>(
            reinterpret_cast<void *>(GetProcAddress(GetModuleHandleA("user32.dll"), "SetProcessDPIAware"))))
        setAware();
    if (dpi != 96) {
        kit::RegKey key;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0,
                                                 KEY_SET_VALUE, nullptr, key.receive(), nullptr));
        const DWORD value = static_cast<DWORD>(dpi);
        RegSetValueExA(key.get(), "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE *>(&value), sizeof value);
    }
    ASSERT_NO_FATAL_FAILURE(Start());
    auto pixels = [dpi](int twips) { return MulDiv(twips, dpi, 1440); };
    const RECT client = uiauto::ClientRect(window_);
    EXPECT_EQ(pixels(3732), client.right) << "client width at " << dpi << " dpi";
    EXPECT_EQ(pixels(1608), client.bottom) << "client height at " << dpi << " dpi";

    const int twips[4][4] = {{240, 240, 972, 372}, {1440, 240, 972, 372}, {240, 840, 972, 372}, {1440, 840, 1932, 372}};
    const HWND controls[4] = {ControlOf(Init()), ControlOf(Finish()), ControlOf(Read()), ControlOf(reader_.status)};
    for (int i = 0; i < 4; ++i) {
        const RECT rect = uiauto::ControlRect(controls[i]);
        EXPECT_EQ(pixels(twips[i][0]), rect.left) << "control " << i;
        EXPECT_EQ(pixels(twips[i][1]), rect.top) << "control " << i;
        EXPECT_EQ(pixels(twips[i][2]), rect.right - rect.left) << "control " << i;
        EXPECT_EQ(pixels(twips[i][3]), rect.bottom - rect.top) << "control " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Form, FormLayoutTest, ::testing::Values(96, 120),
                         [](const ::testing::TestParamInfo<int> &info) { return "At" + std::to_string(info.param); });

TEST_F(FormReaderTest, FailedOpenIsReportedBeforeTheFormWhichThenPassesMinusOneToEveryCall) {
    simcard::SetFault("KVT1", simcard::Entry::Open, 0);
    ASSERT_NO_FATAL_FAILURE(StartOnly());
    const uiauto::MessageBoxInfo box = uiauto::WaitForMessageBox(program_.Id(), kit_test::kProgramStartTimeoutMs);
    EXPECT_EQ(nullptr, uiauto::FindTopWindow(program_.Id(), "FormrtForm")) << "no form before the box";
    ExpectBoxAndAnswer(box, "Could not open driver", kTitle, IconKind::Exclamation, nullptr);
    ASSERT_NO_FATAL_FAILURE(WaitForWindow());
    EXPECT_EQ("Closed", Status());

    ExpectBoxAndAnswer(PressForBox(Init()), "Could not init card", kTitle, IconKind::Exclamation);
    ExpectReadShows("Read error");
    ExpectBoxAndAnswer(PressForBox(Finish()), "Could not finish card", kTitle, IconKind::Exclamation);
    const Strings trace = Trace();
    ASSERT_EQ(4u, trace.size());
    EXPECT_EQ("MirvoOpen(\"KVT1\") = 0xFFFFFFFF", trace[0].substr(0, 30));
    EXPECT_EQ("MirvoInit(0xFFFFFFFF)", trace[1].substr(0, 21));
    EXPECT_EQ("MirvoGetCurrentWeight4(0xFFFFFFFF, buffer)", trace[2].substr(0, 42));
    EXPECT_EQ("MirvoFinish(0xFFFFFFFF)", trace[3].substr(0, 23));
}

TEST_F(FormReaderTest, MissingLibraryEndsTheProgramWithTheRuntimesReportBeforeAnyForm) {
    ASSERT_NO_FATAL_FAILURE(StartCopyIn("C:\\alone"));
    const uiauto::MessageBoxInfo box = uiauto::WaitForMessageBox(program_.Id(), kit_test::kProgramStartTimeoutMs);
    EXPECT_EQ(nullptr, uiauto::FindTopWindow(program_.Id(), "FormrtForm"));
    ExpectBindingReportAndAnswer(box, "The library \"Mirvo\" could not be loaded for its entry \"MirvoOpen\".");
    EXPECT_EQ(2u, ExitCode()) << "the runtime's exit code for a binding failure";
    EXPECT_TRUE(Trace().empty());
}

// The stand-in library's reads succeed and fail by turns.
TEST_F(FormReaderTest, LibraryWithoutMirvoFinishWorksUntilFinishIsPressed) {
    ASSERT_NO_FATAL_FAILURE(StartCopyIn("C:\\nofinish", {kit::WindowsPathFromHost(MIRVO_NOFINISH_DLL_HOST)}));
    ASSERT_NO_FATAL_FAILURE(WaitForWindow());
    ExpectSilentPress(Init());
    ExpectReadShows("1.50|0.00|-2.25|100.00");
    ExpectReadShows("Read error");  // a failed read replaces the weights

    const uiauto::MessageBoxInfo box = PressForBox(Finish());
    EXPECT_EQ(window_, box.owner);
    ExpectBindingReportAndAnswer(box, "The library \"Mirvo\" has no entry \"MirvoFinish\".");
    EXPECT_EQ(2u, ExitCode());
}

}  // namespace
}  // namespace mirvo_vb_test
