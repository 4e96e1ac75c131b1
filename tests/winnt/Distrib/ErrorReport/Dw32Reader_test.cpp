// The running mirvo_dw32 as a person meets it: start-up (and a card that
// cannot be opened) and the fixed columns of Read. Read of 1.5, -0.25, 0, 12,
// Enter that does nothing and the ways out are the shared reader cases.
#include <limits>

#include "Dw32Reader.h"
#include "RowName.h"

namespace mirvo_dw32_test {
namespace {

using reader_test::ReaderCase;
using reader_test::ReaderEndingCase;

TEST_F(ErrorReportTest, StartsCentredAndVisibleWithTheCardOpen) {
    ASSERT_NO_FATAL_FAILURE(Start());
    EXPECT_EQ("Mirvo MinGW-w64 GCC W32 Example", uiauto::TextOf(window_));
    EXPECT_EQ("status", Status());
    EXPECT_EQ("&Init", uiauto::ControlText(window_, kInit));
    for (int button : {kInit, kRead, kFinish, kExit})
        EXPECT_TRUE(uiauto::IsControlEnabled(window_, button)) << "button " << button;
    EXPECT_FALSE(uiauto::HasMessageBox(program_.Id()));
    EXPECT_EQ(Strings{"MirvoOpen"}, Entries());
    EXPECT_NE("0xFFFFFFFF", CardHandle());
}

// The device is opened before any window exists: a failed open shows only
// the ownerless stop box and ends with 0.
TEST_F(ErrorReportTest, CardThatCannotBeOpenedShowsOnlyTheFatalBoxAndEndsWithZero) {
    simcard::SetFault("KVT1", simcard::Entry::Open, 0);
    ASSERT_NO_FATAL_FAILURE(StartOnly());
    const uiauto::MessageBoxInfo box = uiauto::WaitForMessageBox(program_.Id(), kit_test::kProgramStartTimeoutMs);
    EXPECT_EQ(nullptr, uiauto::FindTopWindow(program_.Id(), "MIRVOAPP", nullptr, false))
        << "a MIRVOAPP window exists, though hidden";
    ExpectBoxAndAnswer(box, "Could not open device KVT1", "Fatal error", IconKind::Stop, nullptr);
    EXPECT_EQ(0u, ExitCode()) << "as soon as the box is dismissed";
    const Strings trace = Trace();
    ASSERT_EQ(1u, trace.size()) << "only the open was tried";
    EXPECT_EQ("MirvoOpen(\"KVT1\") = 0xFFFFFFFF", trace[0].substr(0, 30));
}

// Each value right-justified in eight characters and cut to ten; ten '#'
// where the cut would drop whole digits; infinities and not-a-number as
// "%8.3f" renders them.
struct ColumnsRow {
    const char *what;
    float weights[4];
    const char *line;
};

void PrintTo(const ColumnsRow &row, std::ostream *out) { *out << row.line; }

class ErrorReportColumnsTest : public ErrorReportTest, public ::testing::WithParamInterface<ColumnsRow> {};

TEST_P(ErrorReportColumnsTest, ReadShowsFixedColumns) {
    const ColumnsRow &row = GetParam();
    simcard::SetWeights("KVT1", row.weights[0], row.weights[1], row.weights[2], row.weights[3]);
    ASSERT_NO_FATAL_FAILURE(Start());
    for (int read = 0; read < 2; ++read) ExpectReadShows(row.line);
}

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNan = std::numeric_limits<float>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    mirvo_dw32, ErrorReportColumnsTest,
    ::testing::Values(
        ColumnsRow{"EightTouchNineAndTenWhole", {1234.567f, -123.456f, 12345.678f, -12345.678f},
                   "1234.567-123.45612345.678-12345.678"},
        ColumnsRow{"CutToTenAndOverflowMark", {1234567.5f, 1e10f, -1e9f, 1e9f}, "1234567.50####################1000000000"},
        ColumnsRow{"NotFinite", {kInf, -kInf, kNan, 3e38f}, "     inf    -inf     nan##########"}),
    RowName<ColumnsRow>);

}  // namespace

// Read of 1.5, -0.25, 0 and 12, Enter, and every way out closing the card handle.
INSTANTIATE_TEST_SUITE_P(mirvo_dw32, ReaderCase, ::testing::Values(&MirvoDw32()), reader_test::ReaderCaseName);
INSTANTIATE_TEST_SUITE_P(mirvo_dw32, ReaderEndingCase, reader_test::ReaderEndings(MirvoDw32()),
                         reader_test::ReaderEndingName);

}  // namespace mirvo_dw32_test
