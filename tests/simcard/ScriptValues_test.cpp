// The simulated card's script and slots written hostile: every value the
// driver or the library reads, all at once in one shape per case (another
// type; 0, 1, 2, 8 bytes; 64 KB). Each value counts as missing: the driver
// starts and stops, the card answers as if unscripted, the slots get their
// states, and nothing else in the registry changes. Each value's payload is
// what a lenient reader would act on, so one that does shows.
#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>

#include "CardFixture.h"
#include "HostileValues.h"
#include "KvtSimIoctl.h"
#include "Registry.h"
#include "RowName.h"

namespace {

const char kTracePath[] = "C:\\hostile-trace.log";
const char kErrorText[] = "Card busy";

struct ScriptValue {
    std::string key;
    const char *name;
    DWORD type;
    DWORD otherType;
    std::vector<BYTE> payload;
    bool script;     // under SOFTWARE\KvtSim; else under the driver's service key
    bool rewritten;  // a state the driver writes at its start
};

std::vector<BYTE> WeightBytes() {
    const float weights[4] = {1, 2, 3, 4};
    return std::vector<BYTE>(reinterpret_cast<const BYTE *>(weights), reinterpret_cast<const BYTE *>(weights + 4));
}

std::vector<ScriptValue> Values() {
    const std::string card = std::string(KVTSIM_REG_CARDS) + "\\KVT1";
    const auto dword = [](std::string key, const char *name, DWORD payload, bool script = true) {
        return ScriptValue{key, name, REG_DWORD, REG_BINARY, DwordBytes(payload), script, false};
    };
    return {
        dword(card, KVTSIM_VAL_OPEN_FAILS, 1),
        dword(card, KVTSIM_VAL_INIT_ERROR, 5),
        dword(card, KVTSIM_VAL_FINISH_ERROR, 6),
        dword(card, KVTSIM_VAL_READ_ERROR, 7),
        dword(card, KVTSIM_VAL_ADDRESS, 0x300),  // away from slot 0
        {card, KVTSIM_VAL_WEIGHTS, REG_BINARY, REG_DWORD, WeightBytes(), true, false},
        {KVTSIM_REG_ERROR_TEXTS, "00000005", REG_BINARY, REG_DWORD, TextBytes(kErrorText), true, false},
        {KVTSIM_REG_ROOT, KVTSIM_VAL_TRACE_FILE, REG_SZ, REG_BINARY, TextBytes(kTracePath, true), true, false},
        dword(KVTSIM_REG_ROOT, KVTSIM_VAL_DETECT_FAIL_ADDRESS, KVTSIM_DEFAULT_ADDRESS),
        dword(KVTSIM_REG_ROOT, KVTSIM_VAL_DETECT_ERROR, 5),
        dword(KVTSIM_REG_ROOT, KVTSIM_VAL_REFUSE_STOP, 1),
        dword(KVTSIM_REG_ROOT, KVTSIM_VAL_FAIL_START, 1),
        dword(simcard::SlotPath(1), KVTSIM_VAL_ADDRESS, KVTSIM_DEFAULT_ADDRESS, false),  // slot 0's address
        {simcard::SlotPath(0), KVTSIM_VAL_CONFIG_STATE, REG_DWORD, REG_BINARY, DwordBytes(2), false, true},
        {KVTSIM_REG_SERVICE, KVTSIM_VAL_CONFIG_STATE, REG_DWORD, REG_BINARY, DwordBytes(0), false, true},
    };
}

std::optional<testreg::Value> Read(const ScriptValue &value) {
    return value.script ? simcard::ReadScriptValue(value.key, value.name) : testreg::ReadValue(value.key, value.name);
}

std::string Write(const ScriptValue &value, const HostileValue &hostile) {
    if (value.script) return simcard::WriteScriptValue(value.key, value.name, hostile.type, hostile.data);
    const LONG error = testreg::WriteValue(value.key, value.name, hostile.type, hostile.data.data(),
                                           DWORD(hostile.data.size()));
    return error ? "writing " + value.key + " failed, error " + std::to_string(error) : "";
}

// A state the driver wrote: a REG_DWORD of four bytes.
void ExpectState(const std::string &key, DWORD state) {
    const std::optional<testreg::Value> value = testreg::ReadValue(key, KVTSIM_VAL_CONFIG_STATE);
    ASSERT_TRUE(value) << key << " has no ConfigState";
    EXPECT_EQ(value->type, DWORD(REG_DWORD)) << key;
    EXPECT_EQ(value->data, DwordBytes(state)) << key;
}

class ScriptValues : public CardFixture, public ::testing::WithParamInterface<ValueShape> {};

TEST_P(ScriptValues, CountAsMissing) {
    const ValueShape &shape = GetParam();
    ASSERT_EQ(simcard::InstallDriver(), "");
    ASSERT_EQ(simcard::ConfigureSlot(0, KVTSIM_DEFAULT_ADDRESS), "");
    const std::vector<ScriptValue> values = Values();
    std::vector<std::optional<testreg::Value>> written;
    for (const ScriptValue &value : values) {
        ASSERT_EQ(Write(value, Shaped(shape, value.type, value.otherType, value.payload)), "");
        written.push_back(Read(value));
    }

    ASSERT_EQ(simcard::StartDriver(), "") << "FailStart " << shape.what;
    ExpectState(KVTSIM_REG_SERVICE, 1);
    ExpectState(simcard::SlotPath(0), 1);
    ExpectState(simcard::SlotPath(1), 3);  // an Address that counts as none: no card found

    // The card opens at its default address and answers as unscripted.
    const LONG card = OpenKvt1();
    EXPECT_EQ(mirvo.Init(card), 1);
    EXPECT_EQ(mirvo.Finish(card), 1);
    MIRVO_WEIGHTS4 weights;
    ASSERT_EQ(mirvo.Read(card, &weights), 1);
    EXPECT_GT(weights.Channel[0], 10.0f) << "the signal, not scripted weights";
    CloseHandle(simcard::CardHandle(card));

    DWORD state = 0;
    ASSERT_EQ(mirvo.Detect(KVTSIM_DEFAULT_ADDRESS, &state), 1) << "a detection fault " << shape.what;
    EXPECT_EQ(state, DWORD(KVTSIM_DETECT_CONFIGURED));
    EXPECT_EQ(GetFileAttributesA(kTracePath), INVALID_FILE_ATTRIBUTES) << "a trace into a TraceFile " << shape.what;

    // An error text is any REG_BINARY of up to 256 bytes: 0 to 8 bytes are
    // texts, another type or 64 KB are none.
    char text[257];
    std::memset(text, 0xbd, sizeof text);
    SetLastError(0);
    const bool isText = !shape.otherType && shape.size <= KVTSIM_MAX_ERROR_TEXT;
    ASSERT_EQ(mirvo.ErrorMsg(5, text, sizeof text), isText ? 1 : 0) << "a text " << shape.what;
    if (isText) {
        EXPECT_EQ(std::string(text), std::string(kErrorText, shape.size));
    } else {
        EXPECT_EQ(GetLastError(), DWORD(ERROR_MR_MID_NOT_FOUND));
    }

    EXPECT_EQ(simcard::StopDriver(), "") << "RefuseStop " << shape.what;
    for (size_t i = 0; i < values.size(); ++i) {
        if (values[i].rewritten) continue;
        const std::optional<testreg::Value> now = Read(values[i]);
        ASSERT_TRUE(now && written[i]) << values[i].name << " went";
        EXPECT_EQ(now->type, written[i]->type) << values[i].name;
        EXPECT_TRUE(now->data == written[i]->data) << values[i].name << " changed";
    }
}

INSTANTIATE_TEST_SUITE_P(Shapes, ScriptValues, ::testing::ValuesIn(kValueShapes), RowName<ValueShape>);

}  // namespace
