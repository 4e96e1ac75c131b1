// Mirvo_mfc through its real dialog on the simulated card: the shared reader
// cases on its row, and what it does differently from mirvo_bc.
#include "MirvoMfcReader.h"

namespace mirvo_mfc_test {
namespace {

using reader_test::ReaderCase;
using reader_test::ReaderEndingCase;
using reader_test::Strings;
using uiauto::IconKind;

INSTANTIATE_TEST_SUITE_P(Mirvo_mfc, ReaderCase, ::testing::Values(&MirvoMfc()), reader_test::ReaderCaseName);
INSTANTIATE_TEST_SUITE_P(Mirvo_mfc, ReaderEndingCase, reader_test::ReaderEndings(MirvoMfc()),
                         reader_test::ReaderEndingName);

// The status as an earlier read would have left it (the card's script is
// read at the open, so one run cannot read and then fail).
constexpr char kEarlierWeights[] = "1.000 2.000 3.000 4.000";

TEST_F(MfcTest, ReadShowsWeightsWithSignsAndNoFieldWidth) {
    simcard::SetWeights("KVT1", 1.5f, 0.0f, -2.25f, 100.0f);
    ASSERT_NO_FATAL_FAILURE(Start());
    EXPECT_EQ("", Status()) << "the status starts empty";
    ExpectReadShows("1.500 0.000 -2.250 100.000");
}

TEST_F(MfcTest, FailedReadReplacesEarlierWeightsWithReadError) {
    simcard::SetFault("KVT1", simcard::Entry::ReadWeights, ERROR_GEN_FAILURE);
    ASSERT_NO_FATAL_FAILURE(Start());
    ShowInStatus(kEarlierWeights);
    ExpectReadShows("read error");
    EXPECT_EQ((Strings{"MirvoOpen", "MirvoGetCurrentWeight4"}), Entries());
}

TEST_F(MfcTest, InitEmptiesTheStatusAfterSuccessAndFailure) {
    for (bool fails : {false, true}) {
        SCOPED_TRACE(fails ? "failing Init" : "Init");
        if (fails) simcard::SetFault("KVT1", simcard::Entry::Init, 0x80000005);
        ASSERT_NO_FATAL_FAILURE(Start());
        ShowInStatus(kEarlierWeights);
        const uiauto::MessageBoxInfo box = PressForBox(kInit);
        EXPECT_EQ("Initialising...", Status()) << "set and painted before the call";
        if (fails)
            ExpectBoxAndAnswer(box, "Could not initialise", "Error", IconKind::Exclamation);
        else
            ExpectBoxAndAnswer(box, "Initialised OK", "Information", IconKind::Information);
        EXPECT_TRUE(uiauto::WaitForControlText(window_, kStatus, "")) << "status \"" << Status() << "\" after Init";
        EXPECT_TRUE(program_.Running());
        program_.Kill();
    }
}

TEST_F(MfcTest, FinishAnswersInABoxAndLeavesTheStatus) {
    for (bool fails : {false, true}) {
        SCOPED_TRACE(fails ? "failing Finish" : "Finish");
        if (fails) simcard::SetFault("KVT1", simcard::Entry::Finish, ERROR_NOT_READY);
        ASSERT_NO_FATAL_FAILURE(Start());
        ShowInStatus(kEarlierWeights);
        if (fails)
            ExpectBoxAndAnswer(PressForBox(kFinish), "Could not Finish", "Error", IconKind::Exclamation);
        else
            ExpectBoxAndAnswer(PressForBox(kFinish), "Finished OK", "Information", IconKind::Information);
        EXPECT_EQ("1.000 2.000 3.000 4.000", Status());
        program_.Kill();
    }
}

// The open happens while the dialog object is made: its box has no owner and
// comes before any dialog; then the dialog runs and passes -1 on.
TEST_F(MfcTest, FailedOpenShowsAnOwnerlessBoxThenRunsWithMinusOne) {
    simcard::SetFault("KVT1", simcard::Entry::Open, 0);
    ASSERT_NO_FATAL_FAILURE(StartOnly(true));
    const uiauto::MessageBoxInfo box = uiauto::WaitForMessageBox(program_.Id(), kit_test::kProgramStartTimeoutMs);
    ASSERT_TRUE(box) << "no box for the failed open";
    EXPECT_EQ(nullptr, uiauto::FindTopWindow(program_.Id(), "#32770", MfcTitle().c_str(), false))
        << "the dialog does not exist yet";
    ExpectBoxAndAnswer(box, "Could not Open driver", "Error", IconKind::Exclamation, nullptr);

    ASSERT_NO_FATAL_FAILURE(WaitForWindow());
    EXPECT_EQ("", Status()) << "the dialog comes with an empty status";
    ExpectBoxAndAnswer(PressForBox(kInit), "Could not initialise", "Error", IconKind::Exclamation);
    ExpectBoxAndAnswer(PressForBox(kFinish), "Could not Finish", "Error", IconKind::Exclamation);
    ExpectReadShows("read error");
    ASSERT_TRUE(uiauto::PressButton(window_, kExit));
    EXPECT_EQ(0u, ExitCode());
    ASSERT_TRUE(AtExitProcess().reached);

    const Strings trace = Trace();
    ASSERT_EQ(4u, trace.size());
    EXPECT_EQ("MirvoOpen(\"KVT1\") = 0xFFFFFFFF", trace[0].substr(0, 30));
    EXPECT_EQ("MirvoInit(0xFFFFFFFF) = 0", trace[1].substr(0, 25));
    EXPECT_EQ("MirvoFinish(0xFFFFFFFF) = 0", trace[2].substr(0, 27));
    EXPECT_EQ("MirvoGetCurrentWeight4(0xFFFFFFFF, buffer) = 0", trace[3].substr(0, 46));
}

TEST_F(MfcTest, EnterAfterTabPressesTheFocusedButton) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(uiauto::PressKey(window_, VK_TAB)) << "from Exit to Init";
    ASSERT_TRUE(uiauto::WaitUntil([&] {
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        return GetGUIThreadInfo(GetWindowThreadProcessId(window_, nullptr), &info) &&
               GetDlgCtrlID(info.hwndFocus) == kInit;
    })) << "the focus did not reach Init";
    ASSERT_TRUE(uiauto::PressEnter(window_));
    ExpectBoxAndAnswer(uiauto::WaitForMessageBox(program_.Id()), "Initialised OK", "Information",
                       IconKind::Information);
    EXPECT_TRUE(program_.Running());
    EXPECT_EQ((Strings{"MirvoOpen", "MirvoInit"}), Entries());
}

// Minimised, it paints its icon itself and goes on working. Under Xvfb no
// window manager keeps a window minimised (Wine restores what X still shows),
// so the test does not wait for the minimised state; the framework's tests
// check the minimised paint in process. (Wine 8 passes neither WM_GETICON
// nor WM_QUERYDRAGICON's icon between processes.)
TEST_F(MfcTest, PaintsWhenMinimisedAndGoesOnWorking) {
    simcard::SetWeights("KVT1", 1, 2, 3, 4);
    ASSERT_NO_FATAL_FAILURE(Start());
    // Sent, so that the dialog's thread does each before the next.
    const auto send = [&](UINT message, WPARAM wParam) {
        DWORD_PTR result = 0;
        return SendMessageTimeoutA(window_, message, wParam, 0, SMTO_ABORTIFHUNG, uiauto::kDefaultTimeoutMs,
                                   &result) != 0;
    };
    EXPECT_TRUE(send(WM_SYSCOMMAND, SC_MINIMIZE));
    EXPECT_TRUE(send(WM_PAINT, 0));
    EXPECT_TRUE(send(WM_SYSCOMMAND, SC_RESTORE));
    ASSERT_TRUE(uiauto::WaitUntil([&] { return IsIconic(window_) == FALSE; })) << "not restored";
    ExpectReadShows("1.000 2.000 3.000 4.000");
}

// Commands without a handler of the program reach the framework's defaults:
// the help command shows the framework's help, others do nothing.
TEST_F(MfcTest, HelpCommandShowsTheDefaultHelpAndOtherCommandsNothing) {
    ASSERT_NO_FATAL_FAILURE(Start());
    PostMessageA(window_, WM_COMMAND, MAKEWPARAM(1005, BN_CLICKED), 0);
    PostMessageA(window_, WM_COMMAND, MAKEWPARAM(1000, BN_CLICKED), 0);
    EXPECT_FALSE(uiauto::WaitForMessageBox(program_.Id(), 500));
    PostMessageA(window_, WM_COMMAND, MAKEWPARAM(0xE146, 0), 0);
    ExpectBoxAndAnswer(uiauto::WaitForMessageBox(program_.Id()), "No help is available for Mirvo_mfc.", "Mirvo_mfc",
                       IconKind::Information);
    EXPECT_TRUE(program_.Running());
    EXPECT_EQ((Strings{"MirvoOpen"}), Entries());
}

}  // namespace
}  // namespace mirvo_mfc_test
