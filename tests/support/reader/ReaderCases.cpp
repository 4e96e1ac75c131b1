// The behaviour every reader sample shares, run on each sample's row.
#include "ReaderFixture.h"

namespace reader_test {
namespace {

using uiauto::IconKind;

// Read replaces the status text and shows no box; the trace shows the
// handle of the open passed to the read.
TEST_P(ReaderCase, ReadShowsTheFourWeights) {
    simcard::SetWeights("KVT1", 1.5f, -0.25f, 0.0f, 12.0f);
    ASSERT_NO_FATAL_FAILURE(Start());
    EXPECT_EQ(reader_.statusAtStart, Status()) << "before any read";
    ASSERT_TRUE(Press(reader_.read));
    EXPECT_TRUE(uiauto::WaitUntil([&] { return Status() == reader_.readShows; }))
        << "status \"" << Status() << "\", expected \"" << reader_.readShows << "\"";
    EXPECT_FALSE(uiauto::WaitForMessageBox(program_.Id(), 300)) << "Read shows no message box";

    ASSERT_TRUE(uiauto::CloseFromSystemMenu(window_));
    EXPECT_EQ(reader_.exitCode, ExitCode());
    const std::string card = CardHandle();
    EXPECT_EQ((Strings{"MirvoOpen(\"KVT1\") = " + card,
                       "MirvoGetCurrentWeight4(" + card + ", buffer) = 1 weights=1.5 -0.25 0 12"}),
              Trace());
}

// Each way out ends with the row's exit code, closes the card handle or
// leaves it as the row says, and leaves the card as it is: no MirvoFinish.
TEST_P(ReaderEndingCase, EndsWithoutFinishingTheCard) {
    ASSERT_NO_FATAL_FAILURE(StartWatchingExit());
    if (reader_.initOkBox) {
        ExpectBoxAndAnswer(PressForBox(reader_.init), reader_.initOkBox, "Information", IconKind::Information);
    } else {
        ASSERT_TRUE(Press(reader_.init));
    }
    ASSERT_TRUE(uiauto::WaitUntil([&] { return Entries() == Strings{"MirvoOpen", "MirvoInit"}; }));
    ASSERT_TRUE(KeepCardCopy()) << "the card handle " << CardHandle() << " is open while it runs";
    ASSERT_TRUE(End(GetParam().ending));
    EXPECT_EQ(reader_.exitCode, ExitCode()) << "exit code";
    ASSERT_TRUE(AtExitProcess().reached) << "the program never called ExitProcess";
    if (reader_.closesCardAtExit) {
        EXPECT_FALSE(AtExitProcess().cardOpen) << "the card handle is still open when the program ends";
    } else {
        EXPECT_TRUE(AtExitProcess().cardOpen) << "the card handle was closed, though the program leaves it";
    }
    EXPECT_FALSE(uiauto::HasMessageBox(program_.Id()));
    EXPECT_EQ((Strings{"MirvoOpen", "MirvoInit"}), Entries());
}

}  // namespace
}  // namespace reader_test
