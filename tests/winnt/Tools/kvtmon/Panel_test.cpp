// The panel as a person uses it: the card's weights in the value fields,
// their statistics and Reset, the zero, the rate, and the ways the window
// ends (or, with Esc and Enter, does not).
#include <cmath>

#include "KvtSimIoctl.h"
#include "KvtmonPanel.h"

namespace kvtmon_test {
namespace {

const Strings kScripted{"1.500", "-0.250", "0.000", "12.000"};

TEST_F(KvtmonTest, StartsClosedWithKvt1ChosenAndOnlyOpenToPress) {
    ASSERT_NO_FATAL_FAILURE(Start());
    EXPECT_EQ("closed", Field(IDC_STATE));
    EXPECT_EQ("KVT1", Field(IDC_CARD));
    EXPECT_EQ("&Open", Field(IDC_OPEN));
    EXPECT_TRUE(uiauto::IsControlEnabled(window_, IDC_OPEN));
    for (int button : {IDC_INIT, IDC_FINISH, IDC_START})
        EXPECT_FALSE(uiauto::IsControlEnabled(window_, button)) << "button " << button << " before the card is open";
    EXPECT_TRUE(Entries().empty()) << "no card call before Open";
}

TEST_F(KvtmonTest, ScriptedWeightsFillTheValueAndStatisticsFields) {
    simcard::SetWeights("KVT1", 1.5f, -0.25f, 0, 12);
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(OpenInitAndRead());
    EXPECT_EQ("&Close", Field(IDC_OPEN));
    EXPECT_EQ("&Stop", Field(IDC_START));
    for (int channel = 0; channel < 4; ++channel) {
        EXPECT_TRUE(WaitForField(IDC_VALUE1 + channel, kScripted[channel]));
        for (int first : {IDC_MIN1, IDC_MAX1, IDC_MEAN1}) EXPECT_TRUE(WaitForField(first + channel, kScripted[channel]));
    }
    EXPECT_FALSE(uiauto::IsControlEnabled(window_, IDC_INIT)) << "no Init while reading";
}

// A series: the card reopened with other weights between two stretches of
// reading. The statistics span both; Reset starts them again.
TEST_F(KvtmonTest, StatisticsSpanASeriesUntilReset) {
    simcard::SetWeights("KVT1", 1, -2, 10, 0.5f);
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(OpenInitAndRead());
    ASSERT_TRUE(WaitForField(IDC_VALUE1, "1.000"));
    ASSERT_NO_FATAL_FAILURE(PressFor(IDC_OPEN, "closed"));
    const double first = static_cast<double>(SettledReadings());
    simcard::SetWeights("KVT1", 3, -4, 10, 1.5f);
    ASSERT_NO_FATAL_FAILURE(OpenInitAndRead());
    ASSERT_TRUE(WaitForField(IDC_VALUE1, "3.000"));
    ASSERT_NO_FATAL_FAILURE(PressFor(IDC_START, "initialised"));
    const double all = static_cast<double>(SettledReadings());
    ASSERT_GT(all, first);

    EXPECT_EQ((Strings{"1.000", "-4.000", "10.000", "0.500"}), StatsColumn(IDC_MIN1));
    EXPECT_EQ((Strings{"3.000", "-2.000", "10.000", "1.500"}), StatsColumn(IDC_MAX1));
    const double lows[] = {1, -2, 10, 0.5}, highs[] = {3, -4, 10, 1.5};
    const Strings means = StatsColumn(IDC_MEAN1);
    for (int channel = 0; channel < 4; ++channel) {
        const double expected = (first * lows[channel] + (all - first) * highs[channel]) / all;
        EXPECT_NEAR(expected, LeadingNumber(means[channel]), 0.0006)
            << "channel " << channel + 1 << ": " << first << " readings of the first weight, " << all << " in all";
    }

    ASSERT_TRUE(uiauto::PressButton(window_, IDC_RESET));
    EXPECT_TRUE(WaitForField(IDC_MIN1, "-"));
    EXPECT_EQ((Strings{"-", "-", "-", "-"}), StatsColumn(IDC_MEAN1));
    EXPECT_EQ((Strings{"3.000", "-4.000", "10.000", "1.500"}), Values()) << "Reset leaves the values";
    ASSERT_NO_FATAL_FAILURE(PressFor(IDC_START, "reading"));
    EXPECT_TRUE(WaitForField(IDC_MEAN1, "3.000"));
    EXPECT_EQ((Strings{"3.000", "-4.000", "10.000", "1.500"}), StatsColumn(IDC_MIN1));
}

// The zero is the panel's own: values and statistics move by it, and
// neither the card's script nor the driver's configuration changes.
TEST_F(KvtmonTest, ZeroOneChannelAndAllMovesWhatIsShownAndNothingElse) {
    simcard::SetWeights("KVT1", 1.5f, -0.25f, 0, 12);
    const auto scriptBefore = testreg::ReadTree(KVTSIM_REG_ROOT, HKEY_LOCAL_MACHINE, KVTSIM_REG_VIEW);
    const auto driverBefore = testreg::ReadTree("System\\CurrentControlSet\\Services\\Mirvo");
    ASSERT_FALSE(scriptBefore.empty());
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(OpenInitAndRead());
    ASSERT_TRUE(WaitForField(IDC_VALUE1 + 3, "12.000"));

    ASSERT_TRUE(uiauto::PressButton(window_, IDC_ZERO1 + 3));
    EXPECT_TRUE(WaitForField(IDC_VALUE1 + 3, "0.000"));
    EXPECT_EQ("zero", Field(IDC_ZEROMARK1 + 3));
    EXPECT_EQ((Strings{"0.000", "0.000", "0.000", "0.000"}),
              (Strings{Field(IDC_MIN1 + 3), Field(IDC_MAX1 + 3), Field(IDC_MEAN1 + 3), Field(IDC_VALUE1 + 3)}));
    EXPECT_EQ((Strings{"1.500", "-0.250", "0.000", "0.000"}), Values()) << "the other channels keep their weights";
    EXPECT_EQ("", Field(IDC_ZEROMARK1));

    ASSERT_TRUE(uiauto::PressButton(window_, IDC_ZEROALL));
    EXPECT_TRUE(WaitForField(IDC_VALUE1, "0.000"));
    EXPECT_EQ((Strings{"0.000", "0.000", "0.000", "0.000"}), Values());
    EXPECT_EQ((Strings{"0.000", "0.000", "0.000", "0.000"}), StatsColumn(IDC_MAX1));
    EXPECT_EQ((Strings{"zero", "zero", "zero", "zero"}), StatsColumn(IDC_ZEROMARK1));

    ASSERT_TRUE(uiauto::PressButton(window_, IDC_CLEARZERO));
    EXPECT_TRUE(WaitForField(IDC_VALUE1 + 3, "12.000"));
    EXPECT_EQ(kScripted, Values());
    EXPECT_EQ(kScripted, StatsColumn(IDC_MIN1));
    EXPECT_EQ((Strings{"", "", "", ""}), StatsColumn(IDC_ZEROMARK1));

    ASSERT_NO_FATAL_FAILURE(PressFor(IDC_OPEN, "closed"));
    EXPECT_TRUE(scriptBefore == testreg::ReadTree(KVTSIM_REG_ROOT, HKEY_LOCAL_MACHINE, KVTSIM_REG_VIEW))
        << "the card's script changed";
    EXPECT_TRUE(driverBefore == testreg::ReadTree("System\\CurrentControlSet\\Services\\Mirvo"))
        << "the driver's configuration changed";
}

// The rate shown against the reads that the call trace counts over two seconds.
TEST_F(KvtmonTest, RateIsWithinTenPercentOfTheTracedReads) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(OpenInitAndRead());
    Sleep(1000);  // the rate settles over its first seconds
    auto reads = [this] {
        std::size_t count = 0;
        for (const std::string &entry : Entries()) count += entry == "MirvoGetCurrentWeight4";
        return count;
    };
    const std::size_t before = reads();
    const DWORD start = GetTickCount();
    Sleep(2000);
    const std::string shown = Field(IDC_RATE);
    const std::size_t after = reads();
    const DWORD end = GetTickCount();
    const double traced = (after - before) * 1000.0 / (end - start);
    ASSERT_GT(traced, 10) << "the card was hardly read";
    EXPECT_NEAR(traced, LeadingNumber(shown), traced * 0.1) << "the panel shows \"" << shown << "\"";
    EXPECT_NE(std::string::npos, shown.find("readings/s"));
    EXPECT_NE(std::string::npos, Field(IDC_COUNT).find(", 0 dropped")) << Field(IDC_COUNT);
}

// Closing the window while reading stops the thread, finishes the card and
// closes its handle; the program ends with 0.
TEST_F(KvtmonTest, ClosingWhileReadingFinishesAndClosesTheCard) {
    ASSERT_NO_FATAL_FAILURE(StartWatchingExit());
    ASSERT_NO_FATAL_FAILURE(OpenInitAndRead());
    ASSERT_TRUE(KeepCardCopy()) << "the card handle " << CardHandle();
    ASSERT_TRUE(uiauto::CloseFromSystemMenu(window_));
    EXPECT_EQ(0u, ExitCode(15000));
    EXPECT_TRUE(AtExitProcess().reached);
    EXPECT_FALSE(AtExitProcess().cardOpen) << "the card handle was still open at the end";
    const Strings entries = Entries();
    ASSERT_GE(entries.size(), 4u);
    EXPECT_EQ("MirvoFinish", entries.back()) << "nothing after the finish";
    for (std::size_t i = 2; i + 1 < entries.size(); ++i) EXPECT_EQ("MirvoGetCurrentWeight4", entries[i]) << i;
    const Strings trace = Trace();
    EXPECT_EQ("MirvoFinish(" + CardHandle() + ") = 1", trace.back());
}

TEST_F(KvtmonTest, EscAndEnterDoNotCloseThePanel) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(PressFor(IDC_OPEN, "open"));
    ASSERT_TRUE(uiauto::PressEscape(window_));
    ASSERT_TRUE(uiauto::PressEnter(window_));
    Sleep(500);
    EXPECT_TRUE(IsWindowVisible(window_));
    EXPECT_EQ("open", Field(IDC_STATE));
    EXPECT_TRUE(program_.Running());
}

}  // namespace
}  // namespace kvtmon_test
