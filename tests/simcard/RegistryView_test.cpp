// The script lives under HKLM\SOFTWARE, which 64-bit Windows (and Wine)
// splits into a 32-bit and a 64-bit view. A 32-bit kvtsim, library or driver
// must still meet the 64-bit one in the native view, or scripted weights,
// faults and the trace never reach across.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "KvtSimIoctl.h"
#include "MirvoLibrary.h"
#include "SimCard.h"
#include "UniqueHandle.h"

namespace {

bool KeyExistsInView(const std::string &path, REGSAM view) {
    kit::RegKey key;
    return RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ | view, key.receive()) == ERROR_SUCCESS;
}

// Written past the script's own code, straight into the native view.
void WriteNative(const std::string &path, const char *name, DWORD type, const void *data, DWORD size) {
    kit::RegKey key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0,
                              KEY_ALL_ACCESS | KEY_WOW64_64KEY, nullptr, key.receive(), nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(key.get(), name, 0, type, static_cast<const BYTE *>(data), size), ERROR_SUCCESS);
}

TEST(RegistryView, ScriptIsWrittenToAndClearedFromTheNativeView) {
    simcard::SetWeights("KVT1", 1, 2, 3, 4);
    EXPECT_TRUE(KeyExistsInView("SOFTWARE\\KvtSim\\Cards\\KVT1", KEY_WOW64_64KEY))
        << "the card's script is not in the 64-bit view";
    EXPECT_FALSE(KeyExistsInView("SOFTWARE\\KvtSim", KEY_WOW64_32KEY))
        << "the script went to the 32-bit view";
    simcard::ClearScript();
    EXPECT_FALSE(KeyExistsInView("SOFTWARE\\KvtSim", KEY_WOW64_64KEY)) << "clearing left the script";
}

TEST(RegistryView, DriverAndLibraryReadTheNativeView) {
    ASSERT_EQ(simcard::InstallDriver(), "");
    ASSERT_EQ(simcard::ConfigureSlot(0, KVTSIM_DEFAULT_ADDRESS), "");
    const float weights[4] = {1.5f, -0.25f, 0.0f, 12.0f};
    WriteNative("SOFTWARE\\KvtSim\\Cards\\KVT1", KVTSIM_VAL_WEIGHTS, REG_BINARY, weights, sizeof weights);
    const char trace[] = "C:\\view-trace.log";
    WriteNative(KVTSIM_REG_ROOT, KVTSIM_VAL_TRACE_FILE, REG_SZ, trace, sizeof trace);
    ASSERT_EQ(simcard::StartDriver(), "");

    MirvoLibrary mirvo;
    ASSERT_TRUE(mirvo.Loaded());
    const LONG card = mirvo.Open("KVT1");
    ASSERT_NE(card, MIRVO_INVALID_CARD);
    MIRVO_WEIGHTS4 read;
    std::fill(std::begin(read.Channel), std::end(read.Channel), -99.0f);
    ASSERT_EQ(mirvo.Read(card, &read), 1);
    EXPECT_EQ(std::vector<float>(std::begin(read.Channel), std::end(read.Channel)),
              std::vector<float>(std::begin(weights), std::end(weights)))
        << "the driver did not read the weights from the 64-bit view";
    EXPECT_EQ(simcard::TracedEntries(trace), (std::vector<std::string>{"MirvoOpen", "MirvoGetCurrentWeight4"}))
        << "the library did not find the trace switch in the 64-bit view";
}

}  // namespace
