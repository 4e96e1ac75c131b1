// The reader entries of Mirvo.dll against the simulated card's driver:
// open, init, finish, read, and faults scripted through the registry.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "CardFixture.h"

namespace {

using simcard::kJunk;

using ReaderEntries = CardFixture;

TEST_F(ReaderEntries, LibraryExportsEveryEntryAndTheDecoratedAliases) {
    ASSERT_TRUE(mirvo.Loaded());
    EXPECT_EQ(mirvo.Entry("_MirvoOpen@4"), mirvo.Entry("MirvoOpen"));
    EXPECT_EQ(mirvo.Entry("_MirvoInit@4"), mirvo.Entry("MirvoInit"));
    EXPECT_EQ(mirvo.Entry("_MirvoFinish@4"), mirvo.Entry("MirvoFinish"));
    EXPECT_EQ(mirvo.Entry("_MirvoGetCurrentWeight4@8"), mirvo.Entry("MirvoGetCurrentWeight4"));
}

TEST_F(ReaderEntries, DefaultCardOpensInitsReadsAndFinishes) {
    StartDriver();
    const LONG card = OpenKvt1();
    EXPECT_EQ(mirvo.Init(card), 1);
    MIRVO_WEIGHTS4 weights;
    std::memset(&weights, 0xbd, sizeof weights);
    ASSERT_EQ(mirvo.Read(card, &weights), 1) << "error " << GetLastError();
    for (float w : weights.Channel) {
        EXPECT_TRUE(std::isfinite(w)) << w;
        EXPECT_GT(w, 1.0f) << "a plausible load";
        EXPECT_LT(w, 30.0f) << "a plausible load";
    }
    // No order is required: reading and finishing again, init after finish.
    EXPECT_EQ(mirvo.Finish(card), 1);
    EXPECT_EQ(mirvo.Finish(card), 1);
    EXPECT_EQ(mirvo.Read(card, &weights), 1);
    EXPECT_EQ(mirvo.Init(card), 1);
    EXPECT_TRUE(CloseHandle(simcard::CardHandle(card)));
}

TEST_F(ReaderEntries, DefaultCardSignalChangesSlowly) {
    StartDriver();
    const LONG card = OpenKvt1();
    MIRVO_WEIGHTS4 first, later;
    ASSERT_EQ(mirvo.Read(card, &first), 1);
    Sleep(400);
    ASSERT_EQ(mirvo.Read(card, &later), 1);
    bool changed = false;
    for (int c = 0; c < 4; ++c) {
        changed |= first.Channel[c] != later.Channel[c];
        EXPECT_LT(std::fabs(first.Channel[c] - later.Channel[c]), 0.5f) << "channel " << c + 1;
    }
    EXPECT_TRUE(changed) << "no channel moved in 400 ms";
}

TEST_F(ReaderEntries, ScriptedWeightsArriveBitForBit) {
    const float nan = std::nanf(""), inf = INFINITY;
    simcard::SetWeights("KVT1", 1.5f, -0.25f, 0.0f, 12.0f);
    StartDriver();
    const LONG card = OpenKvt1();
    MIRVO_WEIGHTS4 weights;
    ASSERT_EQ(mirvo.Read(card, &weights), 1);
    EXPECT_EQ(weights.Channel[0], 1.5f);
    EXPECT_EQ(weights.Channel[1], -0.25f);
    EXPECT_EQ(weights.Channel[2], 0.0f);
    EXPECT_EQ(weights.Channel[3], 12.0f);

    // The script is read at each open: a change needs no driver restart.
    simcard::SetWeights("KVT1", nan, inf, -inf, -0.0f);
    const LONG again = OpenKvt1();
    ASSERT_EQ(mirvo.Read(again, &weights), 1);
    EXPECT_TRUE(std::isnan(weights.Channel[0]));
    EXPECT_EQ(weights.Channel[1], inf);
    EXPECT_EQ(weights.Channel[2], -inf);
    EXPECT_TRUE(std::signbit(weights.Channel[3]));
}

TEST_F(ReaderEntries, ScriptedFaultsLeaveTheirLastErrorExactly) {
    const DWORD codes[] = {0, 5, 0x80000005, 0xFFFFFFFF};
    StartDriver();
    for (DWORD code : codes) {
        simcard::SetFault("KVT1", simcard::Entry::Init, code);
        simcard::SetFault("KVT1", simcard::Entry::Finish, code ^ 1);
        simcard::SetFault("KVT1", simcard::Entry::ReadWeights, code ^ 2);
        const LONG card = OpenKvt1();

        SetLastError(kJunk);
        EXPECT_EQ(mirvo.Init(card), 0);
        EXPECT_EQ(GetLastError(), code) << "MirvoInit, scripted code " << code;

        SetLastError(kJunk);
        EXPECT_EQ(mirvo.Finish(card), 0);
        EXPECT_EQ(GetLastError(), code ^ 1) << "MirvoFinish, scripted code " << (code ^ 1);

        MIRVO_WEIGHTS4 weights;
        std::memset(&weights, 0xbd, sizeof weights);
        SetLastError(kJunk);
        EXPECT_EQ(mirvo.Read(card, &weights), 0);
        EXPECT_EQ(GetLastError(), code ^ 2) << "MirvoGetCurrentWeight4, scripted code " << (code ^ 2);
        const unsigned char *bytes = reinterpret_cast<const unsigned char *>(&weights);
        for (size_t i = 0; i < sizeof weights; ++i)
            ASSERT_EQ(bytes[i], 0xbd) << "a failed read wrote byte " << i;
        CloseHandle(simcard::CardHandle(card));
    }
}

TEST_F(ReaderEntries, FaultOfOneEntryLeavesTheOthersWorking) {
    simcard::SetFault("KVT1", simcard::Entry::Finish, 5);
    StartDriver();
    const LONG card = OpenKvt1();
    EXPECT_EQ(mirvo.Init(card), 1);
    MIRVO_WEIGHTS4 weights;
    EXPECT_EQ(mirvo.Read(card, &weights), 1);
    EXPECT_EQ(mirvo.Finish(card), 0);
}

TEST_F(ReaderEntries, ScriptedOpenFailureGivesMinusOne) {
    simcard::SetFault("KVT1", simcard::Entry::Open, 0);
    StartDriver();
    SetLastError(0);
    EXPECT_EQ(mirvo.Open("KVT1"), MIRVO_INVALID_CARD);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_DEVICE_NOT_CONNECTED)) << "a failed open says why";
}

TEST_F(ReaderEntries, NamesThatAreNoCardNeverOpen) {
    StartDriver();
    const char *names[] = {"", "KVT2", "kvt1\\..\\KVT1", "C:\\windows\\win.ini", "KvtSim\\x",
                           "KVT1 ", "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345"};
    for (const char *name : names) EXPECT_EQ(mirvo.Open(name), MIRVO_INVALID_CARD) << name;
    EXPECT_EQ(mirvo.Open(nullptr), MIRVO_INVALID_CARD);
}

TEST_F(ReaderEntries, FailedOpenHandlePassedOnFailsCleanly) {
    StartDriver();
    MIRVO_WEIGHTS4 weights;
    SetLastError(0);
    EXPECT_EQ(mirvo.Init(MIRVO_INVALID_CARD), 0);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
    EXPECT_EQ(mirvo.Finish(MIRVO_INVALID_CARD), 0);
    EXPECT_EQ(mirvo.Read(MIRVO_INVALID_CARD, &weights), 0);
    const LONG card = OpenKvt1();
    SetLastError(0);
    EXPECT_EQ(mirvo.Read(card, nullptr), 0);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
}

TEST_F(ReaderEntries, CloseHandleReleasesTheCard) {
    StartDriver();
    const LONG card = OpenKvt1();
    ASSERT_TRUE(CloseHandle(simcard::CardHandle(card)));
    SetLastError(0);
    EXPECT_EQ(mirvo.Init(card), 0) << "the closed handle still works";
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
    // The card can be opened again, as often as wanted.
    for (int i = 0; i < 20; ++i) ASSERT_TRUE(CloseHandle(simcard::CardHandle(OpenKvt1())));
}

TEST_F(ReaderEntries, DriverNotStartedFailsEveryEntry) {
    ASSERT_EQ(simcard::InstallDriver(), "");
    SetLastError(0);
    EXPECT_EQ(mirvo.Open("KVT1"), MIRVO_INVALID_CARD);
    EXPECT_NE(GetLastError(), 0u);
    char text[256];
    SetLastError(0);
    EXPECT_EQ(mirvo.ErrorMsg(5, text, sizeof text), 0);
    EXPECT_NE(GetLastError(), 0u);
    DWORD state = kJunk;
    EXPECT_EQ(mirvo.Detect(0x3A0, &state), 0);
    EXPECT_NE(GetLastError(), 0u);
}

TEST_F(ReaderEntries, DriverStoppedFailsEveryEntry) {
    StartDriver();
    const LONG card = OpenKvt1();
    ASSERT_TRUE(CloseHandle(simcard::CardHandle(card)));
    ASSERT_EQ(simcard::StopDriver(), "");
    EXPECT_EQ(mirvo.Open("KVT1"), MIRVO_INVALID_CARD);
    MIRVO_WEIGHTS4 weights;
    EXPECT_EQ(mirvo.Init(card), 0);
    EXPECT_EQ(mirvo.Finish(card), 0);
    EXPECT_EQ(mirvo.Read(card, &weights), 0);
    char text[256];
    EXPECT_EQ(mirvo.ErrorMsg(5, text, sizeof text), 0);
    // And it comes back with the driver.
    ASSERT_EQ(simcard::StartDriver(), "");
    EXPECT_NE(mirvo.Open("KVT1"), MIRVO_INVALID_CARD);
}

}  // namespace
