// Failures as the panel shows them: the library's text in the state line,
// one box for a read that fails, and a panel that stays usable.
#include "KvtmonPanel.h"

namespace kvtmon_test {
namespace {

using uiauto::IconKind;

// A card with no slot: the library's text for its code in the state line;
// KVT1 then opens.
TEST_F(KvtmonTest, OpenOfACardThatIsNotConfiguredShowsTheLibrarysText) {
    simcard::SetErrorText(ERROR_FILE_NOT_FOUND, "No such card");
    ASSERT_NO_FATAL_FAILURE(Start());
    SendMessageA(uiauto::Control(window_, IDC_CARD), CB_SETCURSEL, 1, 0);
    ASSERT_EQ("KVT2", Field(IDC_CARD));
    ASSERT_NO_FATAL_FAILURE(PressFor(IDC_OPEN, "Open failed. code = 0x00000002 Msg = No such card"));
    EXPECT_FALSE(uiauto::HasMessageBox(program_.Id())) << "a failed open shows no box";
    EXPECT_FALSE(uiauto::IsControlEnabled(window_, IDC_INIT));
    EXPECT_EQ("&Open", Field(IDC_OPEN));

    SendMessageA(uiauto::Control(window_, IDC_CARD), CB_SETCURSEL, 0, 0);
    ASSERT_NO_FATAL_FAILURE(PressFor(IDC_OPEN, "open"));
    const Strings trace = Trace();
    ASSERT_GE(trace.size(), 2u);
    EXPECT_EQ("MirvoOpen(\"KVT2\") = 0xFFFFFFFF error=0x00000002", trace[0]);
}

struct FaultRow {
    const char *name;
    simcard::Entry entry;
    DWORD code;
    const char *text;
    int button;         // pressed once the card is open (and initialised, for Read)
    const char *state;  // the state line afterwards
    bool box;           // a failed read also shows one box
};

void PrintTo(const FaultRow &row, std::ostream *out) { *out << row.name; }

class KvtmonFaultTest : public KvtmonTest, public ::testing::WithParamInterface<FaultRow> {};

TEST_P(KvtmonFaultTest, ShowsTheLibrarysTextAndStaysUsable) {
    const FaultRow &row = GetParam();
    simcard::SetFault("KVT1", row.entry, row.code);
    simcard::SetErrorText(row.code, row.text);
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(PressFor(IDC_OPEN, "open"));
    if (row.entry == simcard::Entry::ReadWeights) {
        ASSERT_NO_FATAL_FAILURE(PressFor(IDC_INIT, "initialised"));
    }
    ASSERT_TRUE(uiauto::PressButton(window_, row.button));
    if (row.box) {
        ExpectBoxAndAnswer(uiauto::WaitForMessageBox(program_.Id()), row.state, "Error", IconKind::Exclamation);
        EXPECT_FALSE(uiauto::WaitForMessageBox(program_.Id(), 500)) << "one box, not one per reading";
        EXPECT_EQ("&Start", Field(IDC_START)) << "reading stopped";
    }
    EXPECT_TRUE(WaitForState(row.state));
    EXPECT_FALSE(uiauto::HasMessageBox(program_.Id()));
    // Still usable: the card closes and opens again.
    ASSERT_NO_FATAL_FAILURE(PressFor(IDC_OPEN, "closed"));
    ASSERT_NO_FATAL_FAILURE(PressFor(IDC_OPEN, "open"));
}

INSTANTIATE_TEST_SUITE_P(
    kvtmon, KvtmonFaultTest,
    ::testing::Values(
        FaultRow{"Init", simcard::Entry::Init, 0x80000005, "Card is busy", IDC_INIT,
                 "Init failed. code = 0x80000005 Msg = Card is busy", false},
        FaultRow{"Finish", simcard::Entry::Finish, 0x80000006, "Card is not initialised", IDC_FINISH,
                 "Finish failed. code = 0x80000006 Msg = Card is not initialised", false},
        FaultRow{"Read", simcard::Entry::ReadWeights, 0x80000007, "Conversion timed out", IDC_START,
                 "Read failed. code = 0x80000007 Msg = Conversion timed out", true}),
    [](const ::testing::TestParamInfo<FaultRow> &info) { return info.param.name; });

}  // namespace
}  // namespace kvtmon_test
