// The simulated card's configuration side: card slots and their states at
// the driver's start, detection, the driver's scripted start and stop faults.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "KvtSimIoctl.h"
#include "MirvoLibrary.h"
#include "Registry.h"
#include "SimCard.h"
#include "UniqueHandle.h"
#include "ServiceManager.h"

namespace {

using testreg::ReadDword;

void CreateEmptySlot(int slot) { testreg::CreateKey(simcard::SlotPath(slot)); }

bool Opens(MirvoLibrary &mirvo, const char *name) {
    return kit::CardHandle(mirvo.Open(name)).valid();
}

DWORD ServiceState() { return testsvc::MirvoServiceState().value_or(0); }

struct Configuration : ::testing::Test {
    MirvoLibrary mirvo;
};

TEST_F(Configuration, WithoutAConfiguredSlotNoCardOpens) {
    ASSERT_EQ(simcard::InstallDriver(), "");
    ASSERT_EQ(simcard::StartDriver(), "");
    EXPECT_FALSE(Opens(mirvo, "KVT1"));
    EXPECT_EQ(ReadDword(KVTSIM_REG_SERVICE, "ConfigState"), std::optional<DWORD>(1))
        << "the driver says it has loaded the configuration";
}

TEST_F(Configuration, StartWritesEachSlotsStateAndMakesDevicesForOkSlots) {
    simcard::SetCardAddress("KVT1", 0x3A0);
    simcard::SetCardAddress("KVT2", 0x3B0);
    ASSERT_EQ(simcard::InstallDriver(), "");
    ASSERT_EQ(simcard::ConfigureSlot(0, 0x3A0), "");  // card there
    ASSERT_EQ(simcard::ConfigureSlot(1, 0x300), "");  // nothing there
    ASSERT_EQ(simcard::ConfigureSlot(2, 0x3B0), "");  // two slots, one address
    ASSERT_EQ(simcard::ConfigureSlot(3, 0x3B0), "");
    CreateEmptySlot(4);                               // no address at all
    ASSERT_EQ(simcard::StartDriver(), "");

    EXPECT_EQ(ReadDword(simcard::SlotPath(0), "ConfigState"), std::optional<DWORD>(1));
    EXPECT_EQ(ReadDword(simcard::SlotPath(1), "ConfigState"), std::optional<DWORD>(3));
    EXPECT_EQ(ReadDword(simcard::SlotPath(2), "ConfigState"), std::optional<DWORD>(2));
    EXPECT_EQ(ReadDword(simcard::SlotPath(3), "ConfigState"), std::optional<DWORD>(2));
    EXPECT_EQ(ReadDword(simcard::SlotPath(4), "ConfigState"), std::optional<DWORD>(3));
    EXPECT_FALSE(ReadDword(simcard::SlotPath(5), "ConfigState")) << "a free slot stays free";
    EXPECT_EQ(ReadDword(KVTSIM_REG_SERVICE, "ConfigState"), std::optional<DWORD>(1));
    EXPECT_TRUE(Opens(mirvo, "KVT1"));
    for (const char *name : {"KVT2", "KVT3", "KVT4", "KVT5", "KVT6"}) EXPECT_FALSE(Opens(mirvo, name)) << name;
}

TEST_F(Configuration, SlotDeviceSimulatesTheCardAtItsAddress) {
    simcard::SetWeights("KVT1", 1, 2, 3, 4);  // at its default, 0x3A0
    simcard::SetWeights("Far", 5, 6, 7, 8);
    simcard::SetCardAddress("Far", 0x4F0);
    ASSERT_EQ(simcard::InstallDriver(), "");
    ASSERT_EQ(simcard::ConfigureSlot(1, 0x4F0), "");
    ASSERT_EQ(simcard::ConfigureSlot(2, 0x3A0), "");
    ASSERT_EQ(simcard::StartDriver(), "");

    EXPECT_FALSE(Opens(mirvo, "KVT1"));
    MIRVO_WEIGHTS4 weights;
    const LONG kvt2 = mirvo.Open("KVT2");
    ASSERT_EQ(mirvo.Read(kvt2, &weights), 1);
    EXPECT_EQ(weights.Channel[0], 5.0f);
    EXPECT_EQ(weights.Channel[3], 8.0f);
    const LONG kvt3 = mirvo.Open("KVT3");
    ASSERT_EQ(mirvo.Read(kvt3, &weights), 1);
    EXPECT_EQ(weights.Channel[0], 1.0f);
}

TEST_F(Configuration, RestartReadsTheSlotsAgain) {
    ASSERT_EQ(simcard::InstallAndStartDriver(), "");
    EXPECT_TRUE(Opens(mirvo, "KVT1"));
    ASSERT_EQ(simcard::StopDriver(), "");
    ASSERT_EQ(simcard::ConfigureSlot(0, 0x300), "");
    ASSERT_EQ(simcard::StartDriver(), "");
    EXPECT_EQ(ReadDword(simcard::SlotPath(0), "ConfigState"), std::optional<DWORD>(3));
    EXPECT_FALSE(Opens(mirvo, "KVT1"));
}

TEST_F(Configuration, DetectTellsNothingNewOrConfigured) {
    ASSERT_EQ(simcard::InstallDriver(), "");
    ASSERT_EQ(simcard::StartDriver(), "");
    DWORD state = 0xDEADBEEF;
    ASSERT_EQ(mirvo.Detect(0x3A0, &state), 1);
    EXPECT_EQ(state, DWORD(KVTSIM_DETECT_NEW_CARD)) << "the default card, in no slot";
    ASSERT_EQ(mirvo.Detect(0x300, &state), 1);
    EXPECT_EQ(state, DWORD(KVTSIM_DETECT_NOTHING));
    // A slot that holds the address counts at once, before any restart.
    ASSERT_EQ(simcard::ConfigureSlot(7, 0x3A0), "");
    ASSERT_EQ(mirvo.Detect(0x3A0, &state), 1);
    EXPECT_EQ(state, DWORD(KVTSIM_DETECT_CONFIGURED));
    SetLastError(0);
    EXPECT_EQ(mirvo.Detect(0x3A0, nullptr), 0);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
}

TEST_F(Configuration, DetectFailsWithTheScriptedCodeAtTheScriptedAddress) {
    ASSERT_EQ(simcard::InstallAndStartDriver(), "");
    for (DWORD code : {DWORD(0), DWORD(5), DWORD(0x80000005), DWORD(0xFFFFFFFF)}) {
        simcard::SetDetectFault(mirvo.CardAddr(0), code);
        DWORD state = 0xDEADBEEF;
        SetLastError(0xDEADBEEF);
        EXPECT_EQ(mirvo.Detect(mirvo.CardAddr(0), &state), 0);
        EXPECT_EQ(GetLastError(), code);
        EXPECT_EQ(state, 0xDEADBEEFu) << "a failed detection leaves the state";
        EXPECT_EQ(mirvo.Detect(mirvo.CardAddr(1), &state), 1) << "only the scripted address fails";
    }
}

TEST_F(Configuration, CandidateAddressesAreFixed) {
    for (LONG index = 0; index < 32; ++index) EXPECT_EQ(mirvo.CardAddr(index), DWORD(0x300 + 0x10 * index));
    EXPECT_EQ(mirvo.CardAddr(10), DWORD(KVTSIM_DEFAULT_ADDRESS));
}

TEST_F(Configuration, ScriptedRefuseStopKeepsTheDriverRunning) {
    simcard::SetRefuseStop(true);
    ASSERT_EQ(simcard::InstallAndStartDriver(), "");
    EXPECT_NE(simcard::StopDriver(), "") << "the stop was accepted";
    EXPECT_EQ(ServiceState(), DWORD(SERVICE_RUNNING));
    EXPECT_TRUE(Opens(mirvo, "KVT1"));
}

TEST_F(Configuration, ScriptedFailStartFailsTheStart) {
    simcard::SetFailStart(true);
    ASSERT_EQ(simcard::InstallDriver(), "");
    EXPECT_NE(simcard::StartDriver(), "") << "the start succeeded";
    EXPECT_EQ(ServiceState(), DWORD(SERVICE_STOPPED));
    EXPECT_FALSE(Opens(mirvo, "KVT1"));
    simcard::SetFailStart(false);
    EXPECT_EQ(simcard::StartDriver(), "");
}

}  // namespace
