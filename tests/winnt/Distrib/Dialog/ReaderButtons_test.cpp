// The Init, Finish and Read buttons of the running mirvo_bc: what a person
// sees, and what the program asked of the card.
#include <limits>

#include "MirvoBcReader.h"

namespace mirvo_bc_test {
namespace {

using uiauto::IconKind;
using reader_test::ReaderCase;
using reader_test::ReaderEndingCase;
using reader_test::Strings;

TEST_F(ReaderTest, FailedReadShowsReadError) {
    simcard::SetFault("KVT1", simcard::Entry::ReadWeights, ERROR_GEN_FAILURE);
    ASSERT_NO_FATAL_FAILURE(Start());
    ExpectReadShows("read error");
    ExpectReadShows("read error");
    EXPECT_EQ((Strings{"MirvoOpen", "MirvoGetCurrentWeight4", "MirvoGetCurrentWeight4"}), Entries());
}

TEST_F(ReaderTest, InfinitiesAndNotANumberShowAsPercentFRendersThem) {
    const float inf = std::numeric_limits<float>::infinity();
    simcard::SetWeights("KVT1", inf, -inf, std::numeric_limits<float>::quiet_NaN(), -3.0f);
    ASSERT_NO_FATAL_FAILURE(Start());
    ExpectReadShows("inf -inf nan -3.000");
}

TEST_F(ReaderTest, LargestWeightsShowInFull) {
    const float most = std::numeric_limits<float>::max();
    simcard::SetWeights("KVT1", -most, most, -most, most);
    ASSERT_NO_FATAL_FAILURE(Start());
    const std::string digits = "340282346638528859811704183484516925440.000";
    ExpectReadShows("-" + digits + " " + digits + " -" + digits + " " + digits);
}

TEST_F(ReaderTest, InitSaysInitialisedOkAndEmptiesTheStatus) {
    ASSERT_NO_FATAL_FAILURE(Start());
    const uiauto::MessageBoxInfo box = PressForBox(kInitCard);
    // Set before the library call, and still there while the box is up.
    EXPECT_EQ("Initialising...", Status());
    ExpectBoxAndAnswer(box, "Initialised OK", "Information", IconKind::Information);
    EXPECT_TRUE(uiauto::WaitForControlText(window_, kStatus, "")) << "status \"" << Status() << "\" after Init";

    ASSERT_TRUE(uiauto::PressButton(window_, kExit));
    EXPECT_EQ(0u, ExitCode());
    const std::string card = CardHandle();
    EXPECT_EQ((Strings{"MirvoOpen(\"KVT1\") = " + card, "MirvoInit(" + card + ") = 1"}), Trace());
}

TEST_F(ReaderTest, FailedInitSaysCouldNotInitialiseAndStillEmptiesTheStatus) {
    simcard::SetFault("KVT1", simcard::Entry::Init, 0x80000005);
    ASSERT_NO_FATAL_FAILURE(Start());
    const uiauto::MessageBoxInfo box = PressForBox(kInitCard);
    EXPECT_EQ("Initialising...", Status());
    ExpectBoxAndAnswer(box, "Could not initialise", "Error", IconKind::Exclamation);
    EXPECT_TRUE(uiauto::WaitForControlText(window_, kStatus, "")) << "status \"" << Status() << "\" after Init";
    EXPECT_TRUE(program_.Running()) << "a failed Init does not end the program";
}

TEST_F(ReaderTest, FinishSaysFinishedOkAndLeavesTheStatus) {
    simcard::SetWeights("KVT1", 1, 2, 3, 4);
    ASSERT_NO_FATAL_FAILURE(Start());
    ExpectBoxAndAnswer(PressForBox(kFinishCard), "Finished OK", "Information", IconKind::Information);
    EXPECT_EQ("closed", Status());
    ExpectReadShows("1.000 2.000 3.000 4.000");
    ExpectBoxAndAnswer(PressForBox(kFinishCard), "Finished OK", "Information", IconKind::Information);
    EXPECT_EQ("1.000 2.000 3.000 4.000", Status()) << "Finish leaves the status as it was";
}

TEST_F(ReaderTest, FailedFinishSaysCouldNotFinish) {
    simcard::SetFault("KVT1", simcard::Entry::Finish, ERROR_NOT_READY);
    ASSERT_NO_FATAL_FAILURE(Start());
    ExpectBoxAndAnswer(PressForBox(kFinishCard), "Could not Finish", "Error", IconKind::Exclamation);
    EXPECT_EQ("closed", Status());
    EXPECT_TRUE(program_.Running());
}

// The program keeps no idea of the card's state: every press is a call.
TEST_F(ReaderTest, ButtonsInAnyOrderEachCallTheLibraryWithTheSameHandle) {
    simcard::SetWeights("KVT1", 5, 6, 7, 8);
    ASSERT_NO_FATAL_FAILURE(Start());
    ExpectReadShows("5.000 6.000 7.000 8.000");  // before any Init
    ExpectBoxAndAnswer(PressForBox(kFinishCard), "Finished OK", "Information", IconKind::Information);
    ExpectBoxAndAnswer(PressForBox(kFinishCard), "Finished OK", "Information", IconKind::Information);
    ExpectBoxAndAnswer(PressForBox(kInitCard), "Initialised OK", "Information", IconKind::Information);
    ExpectReadShows("5.000 6.000 7.000 8.000");  // Init emptied it first
    ASSERT_TRUE(uiauto::PressButton(window_, kExit));
    EXPECT_EQ(0u, ExitCode());

    EXPECT_EQ((Strings{"MirvoOpen", "MirvoGetCurrentWeight4", "MirvoFinish", "MirvoFinish", "MirvoInit",
                       "MirvoGetCurrentWeight4"}),
              Entries());
    const std::string card = CardHandle();
    EXPECT_NE("0xFFFFFFFF", card);
    const Strings trace = Trace();
    for (size_t i = 1; i < trace.size(); ++i) {
        const std::string call = trace[i].substr(0, trace[i].find('(') + 1);
        EXPECT_EQ(call + card, trace[i].substr(0, call.size() + card.size())) << "every call gets the card handle";
    }
}

}  // namespace

// Read shows the weights, and every way out closes the card handle.
INSTANTIATE_TEST_SUITE_P(mirvo_bc, ReaderCase, ::testing::Values(&MirvoBc()), reader_test::ReaderCaseName);
INSTANTIATE_TEST_SUITE_P(mirvo_bc, ReaderEndingCase, reader_test::ReaderEndings(MirvoBc()),
                         reader_test::ReaderEndingName);

}  // namespace mirvo_bc_test
