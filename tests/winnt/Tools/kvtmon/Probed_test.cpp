// kvtmon as real NT runs it, through its probe (ProgramProbe.h): waits and
// timers on a 15.625 ms tick, its pictures counted, its card calls' threads
// watched.
#include "KvtmonPanel.h"
#include "ProgramProbe.h"

namespace kvtmon_test {
namespace {

class ProbedKvtmonTest : public KvtmonTest {
protected:
    ProbedKvtmonTest() : KvtmonTest(ProbedKvtmon()) {}
    kit_test::Probe probe_;
};

double Seconds() {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

TEST_F(ProbedKvtmonTest, TwentyPicturesASecondOnNtsTickAndA1MsPeriodWhileReading) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(OpenInitAndRead());
    EXPECT_EQ(1, probe_.Counters().periodsHeld) << "a 1 ms timer period while reading";
    Sleep(1000);
    const LONG firstPictures = probe_.Counters().pictures;
    const double first = Seconds();
    Sleep(2000);
    const double perSecond = (probe_.Counters().pictures - firstPictures) / (Seconds() - first);
    EXPECT_GE(perSecond, 20.0) << "pictures a second while reading";
    ASSERT_NO_FATAL_FAILURE(PressFor(IDC_START, "initialised"));
    EXPECT_TRUE(uiauto::WaitUntil([&] { return probe_.Counters().periodsHeld == 0; }))
        << "the timer period is not given back when reading stops";
}

// Every call for the card on one thread, the error texts' included.
TEST_F(ProbedKvtmonTest, TheLibrarysTextIsAskedForOnTheReadingThread) {
    simcard::SetFault("KVT1", simcard::Entry::Init, 0x80000005);
    simcard::SetErrorText(0x80000005, "Card is busy");
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(PressFor(IDC_OPEN, "open"));
    ASSERT_TRUE(uiauto::PressButton(window_, IDC_INIT));
    EXPECT_TRUE(WaitForState("Init failed. code = 0x80000005 Msg = Card is busy"));
    EXPECT_GE(probe_.Counters().errorTextCalls, 1);
    EXPECT_EQ(0, probe_.Counters().errorTextsElsewhere) << "MirvoGetErrorMsg on another thread than MirvoOpen's";
}

}  // namespace
}  // namespace kvtmon_test
