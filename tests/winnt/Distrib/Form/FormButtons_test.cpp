// The buttons of the running Mirvo_vb, by mouse and by keyboard: what a
// person sees, and what the program asked of the card.
#include <windows.h>

#include "FormReaderFixture.h"

namespace mirvo_vb_test {
namespace {

using uiauto::IconKind;
using Strings = std::vector<std::string>;

void SetUserDecimalSeparator(const char *separator) {
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\International", 0, nullptr, 0,
                                             KEY_SET_VALUE, nullptr, &key, nullptr));
    RegSetValueExA(key, "sDecimal", 0, REG_SZ, reinterpret_cast<const BYTE *>(separator),
                   static_cast<DWORD>(strlen(separator) + 1));
    RegCloseKey(key);
}

class FormReadTest : public FormReaderTest {
protected:
    // Read shows `label` and no box.
    void ExpectReadShows(const std::string &label) {
        ASSERT_TRUE(uiauto::PressButton(form_, kRead));
        EXPECT_TRUE(uiauto::WaitForControlText(form_, kResult, label))
            << "label \"" << Label() << "\", expected \"" << label << "\"";
        EXPECT_FALSE(uiauto::WaitForMessageBox(program_.Id(), 300)) << "Read shows no message box";
    }
};

TEST_F(FormReadTest, ReadShowsTheFourWeightsFixedAndJoined) {
    simcard::SetWeights("KVT1", 1.5f, 0.0f, -2.25f, 100.0f);
    ASSERT_NO_FATAL_FAILURE(Start());
    EXPECT_EQ("Closed", Label()) << "before the first read";
    ExpectReadShows("1.50|0.00|-2.25|100.00");
    const std::string card = CardHandle();
    EXPECT_EQ((Strings{"MirvoOpen(\"KVT1\") = " + card,
                       "MirvoGetCurrentWeight4(" + card + ", buffer) = 1 weights=1.5 0 -2.25 100"}),
              Trace());
}

TEST_F(FormReadTest, ReadUsesTheUsersDecimalComma) {
    ASSERT_NO_FATAL_FAILURE(SetUserDecimalSeparator(","));
    simcard::SetWeights("KVT1", 1.5f, 0.0f, -2.25f, 100.0f);
    ASSERT_NO_FATAL_FAILURE(Start());
    ExpectReadShows("1,50|0,00|-2,25|100,00");
}

TEST_F(FormReadTest, LargeWeightsHaveNoThousandsSeparatorAndRound) {
    simcard::SetWeights("KVT1", 12345.678f, -0.125f, 0.004f, 1e9f);
    ASSERT_NO_FATAL_FAILURE(Start());
    ExpectReadShows("12345.68|-0.13|0.00|1000000000.00");
}

TEST_F(FormReadTest, FailedReadShowsReadErrorEveryTime) {
    simcard::SetFault("KVT1", simcard::Entry::ReadWeights, ERROR_GEN_FAILURE);
    ASSERT_NO_FATAL_FAILURE(Start());
    EXPECT_EQ("Closed", Label());
    ExpectReadShows("Read error");
    ExpectReadShows("Read error");
    EXPECT_EQ((Strings{"MirvoOpen", "MirvoGetCurrentWeight4", "MirvoGetCurrentWeight4"}), Entries());
}

TEST_F(FormReaderTest, SuccessfulInitAndFinishShowNothing) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ExpectSilentPress(kInit);
    ExpectSilentPress(kFinish);
    ExpectSilentPress(kFinish);
    const std::string card = CardHandle();
    EXPECT_EQ((Strings{"MirvoOpen(\"KVT1\") = " + card, "MirvoInit(" + card + ") = 1", "MirvoFinish(" + card + ") = 1",
                       "MirvoFinish(" + card + ") = 1"}),
              Trace());
    EXPECT_EQ("Closed", Label());
}

TEST_F(FormReaderTest, FailedInitAndFinishEachShowTheirBox) {
    simcard::SetFault("KVT1", simcard::Entry::Init, 0x80000005);
    simcard::SetFault("KVT1", simcard::Entry::Finish, ERROR_NOT_READY);
    ASSERT_NO_FATAL_FAILURE(Start());
    ExpectBoxAndAnswer(PressForBox(kInit), "Could not init card", IconKind::Exclamation, form_);
    ExpectBoxAndAnswer(PressForBox(kFinish), "Could not finish card", IconKind::Exclamation, form_);
    ExpectBoxAndAnswer(PressForBox(kInit), "Could not init card", IconKind::Exclamation, form_);
    EXPECT_EQ("Closed", Label());
    EXPECT_TRUE(program_.Running());
    EXPECT_EQ((Strings{"MirvoOpen", "MirvoInit", "MirvoFinish", "MirvoInit"}), Entries());
}

// The keyboard as in any Windows dialog.
TEST_F(FormReadTest, AltRReads) {
    simcard::SetWeights("KVT1", 1, 2, 3, 4);
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(uiauto::PressAltKey(form_, 'r'));
    EXPECT_TRUE(uiauto::WaitForControlText(form_, kResult, "1.00|2.00|3.00|4.00")) << Label();
}

TEST_F(FormReadTest, TabWalksTheButtonsInTabOrderAndSpaceAndEnterPressTheFocusedOne) {
    simcard::SetWeights("KVT1", 5, 6, 7, 8);
    simcard::SetFault("KVT1", simcard::Entry::Finish, ERROR_NOT_READY);
    ASSERT_NO_FATAL_FAILURE(Start());
    auto focusIs = [&](int id) { return uiauto::WaitUntil([&] { return Focus() == uiauto::Control(form_, id); }); };
    ASSERT_TRUE(focusIs(kInit));
    ASSERT_TRUE(uiauto::PressKey(form_, VK_TAB));
    ASSERT_TRUE(focusIs(kFinish));
    ASSERT_TRUE(uiauto::PressKey(form_, VK_TAB));
    ASSERT_TRUE(focusIs(kRead));
    ASSERT_TRUE(uiauto::PressKey(form_, VK_SPACE));
    EXPECT_TRUE(uiauto::WaitForControlText(form_, kResult, "5.00|6.00|7.00|8.00")) << Label();
    ASSERT_TRUE(uiauto::PressKey(form_, VK_TAB));
    EXPECT_TRUE(focusIs(kInit)) << "the label takes no focus; Tab comes round to Init";

    // Enter presses the focused button; the focus comes back to it after the box.
    ASSERT_TRUE(uiauto::PressKey(form_, VK_TAB));
    ASSERT_TRUE(focusIs(kFinish));
    ASSERT_TRUE(uiauto::PressEnter(form_));
    ExpectBoxAndAnswer(uiauto::WaitForMessageBox(program_.Id()), "Could not finish card", IconKind::Exclamation,
                       form_);
    EXPECT_TRUE(focusIs(kFinish));
    EXPECT_EQ((Strings{"MirvoOpen", "MirvoGetCurrentWeight4", "MirvoFinish"}), Entries());
}

}  // namespace
}  // namespace mirvo_vb_test
