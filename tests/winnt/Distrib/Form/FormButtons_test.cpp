// The buttons of the running Mirvo_vb, by mouse and by keyboard: what a
// person sees, and what the program asked of the card.
#include <windows.h>

#include "MirvoVbReader.h"

namespace mirvo_vb_test {
namespace {

TEST_F(FormReaderTest, ReadShowsTheFourWeightsFixedAndJoined) {
    simcard::SetWeights("KVT1", 1.5f, 0.0f, -2.25f, 100.0f);
    ASSERT_NO_FATAL_FAILURE(Start());
    ExpectReadShows("1.50|0.00|-2.25|100.00");
}

TEST_F(FormReaderTest, ReadUsesTheUsersDecimalComma) {
    ASSERT_EQ("", uiauto::SetUserDecimalSeparator(","));
    simcard::SetWeights("KVT1", 1.5f, 0.0f, -2.25f, 100.0f);
    ASSERT_NO_FATAL_FAILURE(Start());
    ExpectReadShows("1,50|0,00|-2,25|100,00");
}

TEST_F(FormReaderTest, LargeWeightsHaveNoThousandsSeparatorAndRound) {
    simcard::SetWeights("KVT1", 12345.678f, -0.125f, 0.004f, 1e9f);
    ASSERT_NO_FATAL_FAILURE(Start());
    ExpectReadShows("12345.68|-0.13|0.00|1000000000.00");
}

TEST_F(FormReaderTest, FailedReadShowsReadErrorEveryTime) {
    simcard::SetFault("KVT1", simcard::Entry::ReadWeights, ERROR_GEN_FAILURE);
    ASSERT_NO_FATAL_FAILURE(Start());
    EXPECT_EQ("Closed", Status());
    ExpectReadShows("Read error");
    ExpectReadShows("Read error");
    EXPECT_EQ((Strings{"MirvoOpen", "MirvoGetCurrentWeight4", "MirvoGetCurrentWeight4"}), Entries());
}

TEST_F(FormReaderTest, SuccessfulInitAndFinishShowNothing) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ExpectSilentPress(Init());
    ExpectSilentPress(Finish());
    ExpectSilentPress(Finish());
    const std::string card = CardHandle();
    EXPECT_EQ((Strings{"MirvoOpen(\"KVT1\") = " + card, "MirvoInit(" + card + ") = 1", "MirvoFinish(" + card + ") = 1",
                       "MirvoFinish(" + card + ") = 1"}),
              Trace());
    EXPECT_EQ("Closed", Status());
}

TEST_F(FormReaderTest, FailedInitAndFinishEachShowTheirBox) {
    simcard::SetFault("KVT1", simcard::Entry::Init, 0x80000005);
    simcard::SetFault("KVT1", simcard::Entry::Finish, ERROR_NOT_READY);
    ASSERT_NO_FATAL_FAILURE(Start());
    ExpectBoxAndAnswer(PressForBox(Init()), "Could not init card", kTitle, IconKind::Exclamation);
    ExpectBoxAndAnswer(PressForBox(Finish()), "Could not finish card", kTitle, IconKind::Exclamation);
    ExpectBoxAndAnswer(PressForBox(Init()), "Could not init card", kTitle, IconKind::Exclamation);
    EXPECT_EQ("Closed", Status());
    EXPECT_TRUE(program_.Running());
    EXPECT_EQ((Strings{"MirvoOpen", "MirvoInit", "MirvoFinish", "MirvoInit"}), Entries());
}

// The keyboard as in any Windows dialog.
TEST_F(FormReaderTest, AltRReads) {
    simcard::SetWeights("KVT1", 1, 2, 3, 4);
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(uiauto::PressAltKey(window_, 'r'));
    EXPECT_TRUE(uiauto::WaitUntil([&] { return Status() == "1.00|2.00|3.00|4.00"; })) << Status();
}

TEST_F(FormReaderTest, TabWalksTheButtonsInTabOrderAndSpaceAndEnterPressTheFocusedOne) {
    simcard::SetWeights("KVT1", 5, 6, 7, 8);
    simcard::SetFault("KVT1", simcard::Entry::Finish, ERROR_NOT_READY);
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(FocusComesTo(Init()));
    ASSERT_TRUE(uiauto::PressKey(window_, VK_TAB));
    ASSERT_TRUE(FocusComesTo(Finish()));
    ASSERT_TRUE(uiauto::PressKey(window_, VK_TAB));
    ASSERT_TRUE(FocusComesTo(Read()));
    ASSERT_TRUE(uiauto::PressKey(window_, VK_SPACE));
    EXPECT_TRUE(uiauto::WaitUntil([&] { return Status() == "5.00|6.00|7.00|8.00"; })) << Status();
    ASSERT_TRUE(uiauto::PressKey(window_, VK_TAB));
    EXPECT_TRUE(FocusComesTo(Init())) << "the label takes no focus; Tab comes round to Init";

    // Enter presses the focused button; the focus comes back to it after the box.
    ASSERT_TRUE(uiauto::PressKey(window_, VK_TAB));
    ASSERT_TRUE(FocusComesTo(Finish()));
    ASSERT_TRUE(uiauto::PressEnter(window_));
    ExpectBoxAndAnswer(uiauto::WaitForMessageBox(program_.Id()), "Could not finish card", kTitle,
                       IconKind::Exclamation);
    EXPECT_TRUE(FocusComesTo(Finish()));

    ASSERT_TRUE(uiauto::PressEscape(window_));
    EXPECT_FALSE(program_.WaitForExit(500)) << "Esc does not close a form without a cancel button";
    EXPECT_EQ((Strings{"MirvoOpen", "MirvoGetCurrentWeight4", "MirvoFinish"}), Entries());
}

}  // namespace
}  // namespace mirvo_vb_test
