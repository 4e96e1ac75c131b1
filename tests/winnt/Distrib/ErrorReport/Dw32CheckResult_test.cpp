// What mirvo_dw32 shows when a card call fails: one "Error" box naming the
// operation, the last-error code in eight hex digits and the library's
// text; and the Init button's "Opening..." while Init and its box run.
#include "Dw32Reader.h"
#include "RowName.h"

namespace mirvo_dw32_test {
namespace {

// A text of exactly 256 bytes with no zero: all of it is shown.
std::string FullText() {
    std::string text;
    while (text.size() < 256) text += "Card text " + std::to_string(text.size()) + ". ";
    text.resize(256);
    text.back() = '!';
    return text;
}

struct FailureRow {
    const char *what;
    simcard::Entry entry;
    int button;
    const char *operation;
    const char *traceEntry;  // the failed call in the trace
    DWORD code;
    bool hasText;
    std::string text;    // the library's bytes for the code
    std::string shown;   // what the box shows of them
};

void PrintTo(const FailureRow &row, std::ostream *out) { *out << row.operation << " 0x" << std::hex << row.code; }

class ErrorReportFailureTest : public ErrorReportTest, public ::testing::WithParamInterface<FailureRow> {};

TEST_P(ErrorReportFailureTest, ShowsOneErrorBoxWithTheCodeAndTheLibraryText) {
    const FailureRow &row = GetParam();
    char hex[9];
    std::snprintf(hex, sizeof hex, "%08lX", static_cast<unsigned long>(row.code));
    simcard::SetFault("KVT1", row.entry, row.code);
    if (row.hasText) simcard::SetErrorText(row.code, row.text);
    ASSERT_NO_FATAL_FAILURE(Start());

    const uiauto::MessageBoxInfo box = PressForBox(row.button);
    if (row.button == kInit) {
        EXPECT_EQ("Opening...", uiauto::ControlText(window_, kInit)) << "while the box is open";
    }
    ExpectBoxAndAnswer(box, std::string(row.operation) + " failed. code = 0x" + hex + " Msg = " + row.shown, "Error",
                       IconKind::Exclamation);
    EXPECT_FALSE(uiauto::WaitForMessageBox(program_.Id(), 300)) << "no second box";
    EXPECT_TRUE(uiauto::WaitForControlText(window_, kInit, "&Init")) << "Init's caption is restored";
    EXPECT_EQ("status", Status()) << "a failed call leaves the status as it was";
    EXPECT_TRUE(program_.Running());

    const Strings trace = Trace();
    ASSERT_EQ(3u, trace.size());
    EXPECT_EQ(row.traceEntry, trace[1].substr(0, trace[1].find('(')));
    EXPECT_NE(std::string::npos, trace[1].find(") = 0 error=0x" + std::string(hex))) << trace[1];
    const std::string asked = "MirvoGetErrorMsg(0x" + std::string(hex) + ", buffer, 256) = " + (row.hasText ? "1" : "0");
    EXPECT_EQ(asked, trace[2].substr(0, asked.size())) << "asked for the code it failed with, into 256 bytes";
}

INSTANTIATE_TEST_SUITE_P(
    mirvo_dw32, ErrorReportFailureTest,
    ::testing::Values(
        FailureRow{"InitCodeZeroNoText", simcard::Entry::Init, kInit, "Init", "MirvoInit", 0, false, "", "none"},
        FailureRow{"InitShortText", simcard::Entry::Init, kInit, "Init", "MirvoInit", 5, true, "Card is busy",
                   "Card is busy"},
        FailureRow{"FinishTopBitSetFullText", simcard::Entry::Finish, kFinish, "Finish", "MirvoFinish", 0x80000005,
                   true, FullText(), FullText()},
        FailureRow{"FinishNoText", simcard::Entry::Finish, kFinish, "Finish", "MirvoFinish", 5, false, "", "none"},
        FailureRow{"ReadTextStopsAtItsZero", simcard::Entry::ReadWeights, kRead, "GetCurrentWeight",
                   "MirvoGetCurrentWeight4", 0x80000005, true, std::string("Short\0rest", 10), "Short"},
        FailureRow{"ReadCodeZeroFullText", simcard::Entry::ReadWeights, kRead, "GetCurrentWeight",
                   "MirvoGetCurrentWeight4", 0, true, FullText(), FullText()}),
    RowName<FailureRow>);

TEST_F(ErrorReportTest, InitShowsOpeningWhileItsBoxIsUpThenItsCaptionAgain) {
    ASSERT_NO_FATAL_FAILURE(Start());
    for (int round = 0; round < 2; ++round) {
        const uiauto::MessageBoxInfo box = PressForBox(kInit);
        EXPECT_EQ("Opening...", uiauto::ControlText(window_, kInit));
        ExpectBoxAndAnswer(box, "Initialised OK", "Information", IconKind::Information);
        EXPECT_TRUE(uiauto::WaitForControlText(window_, kInit, "&Init"))
            << "caption \"" << uiauto::ControlText(window_, kInit) << "\" after Init";
    }
    EXPECT_EQ("status", Status()) << "Init leaves the status alone";
}

TEST_F(ErrorReportTest, FinishSaysFinishedOkAndEveryCallGetsTheCardHandle) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ExpectBoxAndAnswer(PressForBox(kFinish), "Finished OK", "Information", IconKind::Information);
    ExpectBoxAndAnswer(PressForBox(kInit), "Initialised OK", "Information", IconKind::Information);
    ASSERT_TRUE(uiauto::PressButton(window_, kRead));
    ASSERT_TRUE(uiauto::WaitUntil([&] { return Entries().size() == 4; }));
    const std::string card = CardHandle();
    const Strings trace = Trace();
    ASSERT_EQ(4u, trace.size());
    EXPECT_EQ((Strings{"MirvoOpen(\"KVT1\") = " + card, "MirvoFinish(" + card + ") = 1", "MirvoInit(" + card + ") = 1"}),
              Strings(trace.begin(), trace.begin() + 3));
    const std::string read = "MirvoGetCurrentWeight4(" + card + ", buffer) = 1";
    EXPECT_EQ(read, trace[3].substr(0, read.size()));
}

}  // namespace
}  // namespace mirvo_dw32_test
