// Start-up and the ways mirvo_bc ends: the window, a card that cannot be
// opened, and Exit, Esc, Enter and Close with their exit codes.
#include "ReaderFixture.h"

namespace mirvo_bc_test {
namespace {

using uiauto::IconKind;
using Strings = std::vector<std::string>;

TEST_F(ReaderTest, StartsVisibleWithStatusClosedAndOpensKvt1) {
    ASSERT_NO_FATAL_FAILURE(Start());
    EXPECT_EQ("closed", Status());
    EXPECT_EQ("MIRVOTEST", uiauto::ClassOf(window_));
    EXPECT_EQ("KVT Example ", uiauto::TextOf(window_).substr(0, 12));
    for (int button : {kExit, kInitCard, kFinishCard, kReadCard})
        EXPECT_TRUE(uiauto::IsControlEnabled(window_, button)) << "button " << button;
    EXPECT_FALSE(uiauto::HasMessageBox(program_.Id()));
    EXPECT_TRUE(uiauto::WaitUntil([&] { return Entries() == Strings{"MirvoOpen"}; }));
    EXPECT_NE("0xFFFFFFFF", CardHandle());

    const std::string screenshot = "C:\\mirvo_bc.bmp";
    EXPECT_TRUE(uiauto::SaveScreenshot(window_, screenshot));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(screenshot.c_str()));
}

TEST_F(ReaderTest, ShowsTheWindowWithTheShowCommandItGot) {
    ASSERT_NO_FATAL_FAILURE(Start(SW_SHOWMINNOACTIVE));
    EXPECT_TRUE(IsIconic(window_)) << "started minimised, the window stays minimised";
}

TEST_F(ReaderTest, CardThatCannotBeOpenedEndsWithOneAfterTheBox) {
    simcard::SetFault("KVT1", simcard::Entry::Open, 0);
    ASSERT_NO_FATAL_FAILURE(Start());
    const uiauto::MessageBoxInfo box = uiauto::WaitForMessageBox(program_.Id());
    EXPECT_TRUE(IsWindowVisible(window_)) << "the window is already shown behind the box";
    EXPECT_EQ("closed", Status());
    ExpectBoxAndAnswer(box, "Could not Open driver", "Error", IconKind::Exclamation);
    EXPECT_EQ(1u, ExitCode()) << "as soon as the box is dismissed";
    const Strings trace = Trace();
    ASSERT_EQ(1u, trace.size()) << "only the open was tried";
    EXPECT_EQ("MirvoOpen(\"KVT1\") = 0xFFFFFFFF", trace[0].substr(0, 30));
}

enum class Ending { ExitButton, EscapeKey, SystemMenuClose, EnterKey, AltX };

const char *NameOf(Ending ending) {
    switch (ending) {
    case Ending::ExitButton: return "ExitButton";
    case Ending::EscapeKey: return "EscapeKey";
    case Ending::SystemMenuClose: return "SystemMenuClose";
    case Ending::EnterKey: return "EnterKey";
    case Ending::AltX: return "AltX";
    }
    return "?";
}

class ReaderEndingTest : public ReaderTest, public ::testing::WithParamInterface<Ending> {
protected:
    bool End() {
        switch (GetParam()) {
        case Ending::ExitButton: return uiauto::PressButton(window_, kExit);
        case Ending::EscapeKey: return uiauto::PressEscape(window_);
        case Ending::SystemMenuClose: return uiauto::CloseFromSystemMenu(window_);
        case Ending::EnterKey: return uiauto::PressEnter(window_);
        case Ending::AltX: return uiauto::PressAltKey(window_, 'x');
        }
        return false;
    }
};

// Each way out closes the card handle and ends with 0, and leaves the card as
// it is: no MirvoFinish.
TEST_P(ReaderEndingTest, ClosesTheCardAndEndsWithZeroWithoutFinishingIt) {
    ASSERT_NO_FATAL_FAILURE(StartWatchingExit());
    ExpectBoxAndAnswer(PressForBox(kInitCard), "Initialised OK", "Information", IconKind::Information);
    ASSERT_TRUE(KeepCardCopy()) << "the card handle " << CardHandle() << " is open while it runs";
    ASSERT_TRUE(End());
    EXPECT_EQ(0u, ExitCode()) << "exit code";
    ASSERT_TRUE(AtExitProcess().reached) << "the program never called ExitProcess";
    EXPECT_FALSE(AtExitProcess().cardOpen) << "the card handle is still open when the program ends";
    EXPECT_FALSE(uiauto::HasMessageBox(program_.Id()));
    EXPECT_EQ((Strings{"MirvoOpen", "MirvoInit"}), Entries());
}

INSTANTIATE_TEST_SUITE_P(Reader, ReaderEndingTest,
                         ::testing::Values(Ending::ExitButton, Ending::EscapeKey, Ending::SystemMenuClose,
                                           Ending::EnterKey, Ending::AltX),
                         [](const ::testing::TestParamInfo<Ending> &info) { return NameOf(info.param); });

}  // namespace
}  // namespace mirvo_bc_test
