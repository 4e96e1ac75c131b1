// Start-up of mirvo_bc: the window, the show command and a card that cannot be
// opened. Exit, Esc, Enter and Close are the shared reader cases.
#include "MirvoBcReader.h"

namespace mirvo_bc_test {
namespace {

using uiauto::IconKind;
using reader_test::Strings;

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

}  // namespace
}  // namespace mirvo_bc_test
