// mirvocfg against values that other programs or people wrote badly: each
// value is read into four bytes whatever its type, a shorter one fills the
// low bytes, a longer one counts as missing. The program shows what it read,
// keeps working, and leaves every value it does not write byte for byte.
#include <gtest/gtest.h>

#include "ConfigProgram.h"
#include "Registry.h"
#include "SimCard.h"
#include "SimConfig.h"

using namespace cfgtest;

namespace {

constexpr int kSlot = 2;

enum class Target { CardAddress, CardState, ServiceState };

struct HostileCase {
    const char *label;
    Target target;
    DWORD type;
    std::vector<BYTE> data;
    DWORD reads;  // what the four-byte read gives
};

// For the test's name in CTest: the label, not the object's bytes.
void PrintTo(const HostileCase &c, std::ostream *out) { *out << c.label; }

std::string KeyOf(Target target) { return target == Target::ServiceState ? kServiceKey : CardKeyPath(kSlot); }
const char *NameOf(Target target) { return target == Target::CardAddress ? "Address" : "ConfigState"; }

const char *StateText(DWORD code) {
    switch (code) {
    case 1: return "OK";
    case 3: return "Card not found";
    default: return "Unknown";
    }
}

testreg::Value Dword0() { return {REG_DWORD, {0, 0, 0, 0}}; }

void ExpectValue(const std::string &key, const char *name, const testreg::Value &expected, const char *what) {
    const std::optional<testreg::Value> value = testreg::ReadValue(key, name);
    ASSERT_TRUE(value) << name << " is gone " << what;
    EXPECT_EQ(value->type, expected.type) << name << " " << what;
    EXPECT_EQ(value->data, expected.data) << name << " " << what;
}

class HostileValue : public ::testing::TestWithParam<HostileCase> {};

TEST_P(HostileValue, ShowsWhatItReadsAndWritesOnlyWhatItMeans) {
    const HostileCase &c = GetParam();
    ASSERT_EQ(simcard::InstallAndStartDriver(), "");
    // Written after the driver's start, which writes the states itself.
    WriteCard(kSlot, 0x320, 1);
    SetConfigState(1);
    const testreg::Value hostile{c.type, c.data};
    ASSERT_EQ(testreg::WriteValue(KeyOf(c.target), NameOf(c.target), c.type, c.data.data(),
                                  static_cast<DWORD>(c.data.size())),
              ERROR_SUCCESS);
    const std::optional<testreg::Value> cardAddress = testreg::ReadValue(CardKeyPath(kSlot), "Address");
    const std::optional<testreg::Value> cardState = testreg::ReadValue(CardKeyPath(kSlot), "ConfigState");
    ASSERT_TRUE(cardAddress && cardState);

    ConfigProgram program;
    ASSERT_TRUE(program.WaitForWindow());
    ASSERT_TRUE(program.WaitIdle());
    ASSERT_FALSE(uiauto::HasMessageBox(program.id()));
    const DWORD address = c.target == Target::CardAddress ? c.reads : 0x320;
    const DWORD state = c.target == Target::CardState ? c.reads : 1;
    const bool loaded = c.target == Target::ServiceState ? c.reads == 1 : true;
    EXPECT_EQ(program.Lines()[kSlot], UsedLine(kSlot, address, StateText(state)));
    EXPECT_EQ(program.Status(), loaded ? kLoaded : kNotLoaded);

    // Delete on a free slot: the one write is the service's 4-byte 0.
    ASSERT_TRUE(program.Select(31));
    ASSERT_TRUE(program.Press(kDeleteCard));
    ASSERT_TRUE(uiauto::WaitForControlText(program.window(), kStatus, kNotLoaded));
    ASSERT_TRUE(program.WaitIdle());
    ExpectValue(kServiceKey, "ConfigState", Dword0(), "after Delete");
    ExpectValue(CardKeyPath(kSlot), "Address", *cardAddress, "after Delete");
    ExpectValue(CardKeyPath(kSlot), "ConfigState", *cardState, "after Delete");
    EXPECT_EQ(program.Lines()[kSlot], UsedLine(kSlot, address, StateText(state)));

    // Edit: the card is used; a cancelled setup writes nothing.
    ASSERT_TRUE(program.Select(kSlot));
    ASSERT_TRUE(program.EditCard("KVT3", IDCANCEL));
    ASSERT_TRUE(CardExists(kSlot));
    ExpectValue(CardKeyPath(kSlot), "Address", *cardAddress, "after a cancelled Edit");
    ExpectValue(CardKeyPath(kSlot), "ConfigState", *cardState, "after a cancelled Edit");

    // An accepted setup (the library stores the address): the card's state
    // becomes a 4-byte 0.
    ASSERT_TRUE(program.EditCard("KVT3", IDOK, "330"));
    ExpectValue(CardKeyPath(kSlot), "ConfigState", Dword0(), "after an accepted Edit");
    EXPECT_EQ(program.Lines()[kSlot], UsedLine(kSlot, 0x330, "Unknown"));
    EXPECT_EQ(program.Lines().size(), 32u);
    EXPECT_EQ(program.Exit(), std::optional<DWORD>(0));
}

std::vector<HostileCase> Cases() {
    const HostileCase data[] = {
        {"TextOne", Target::CardAddress, REG_SZ, {'1', 0}, 0x31},  // the digit, not the number
        {"BinaryOne", Target::CardAddress, REG_BINARY, {1, 0, 0, 0}, 1},  // the type is not looked at
        {"NoBytes", Target::CardAddress, REG_DWORD, {}, 0},
        {"OneByte", Target::CardAddress, REG_DWORD, {1}, 1},
        {"TwoBytes", Target::CardAddress, REG_DWORD, {3, 0}, 3},
        {"EightBytes", Target::CardAddress, REG_DWORD, {1, 0, 0, 0, 0, 0, 0, 0}, 0},  // too long: missing
    };
    std::vector<HostileCase> cases;
    for (Target target : {Target::CardAddress, Target::CardState, Target::ServiceState})
        for (HostileCase each : data) {
            each.target = target;
            cases.push_back(each);
        }
    return cases;
}

std::string CaseName(const ::testing::TestParamInfo<HostileCase> &info) {
    const char *target[] = {"CardAddress", "CardState", "ServiceState"};
    return std::string(target[static_cast<int>(info.param.target)]) + info.param.label;
}

}  // namespace

INSTANTIATE_TEST_SUITE_P(Mirvocfg, HostileValue, ::testing::ValuesIn(Cases()), CaseName);

// A card subkey that holds keys of its own (another program's data) cannot
// be deleted: the slot stays used for every command, and nothing below it
// is lost.
TEST(HostileRegistry, ACardKeyWithSubkeysStaysUsed) {
    ASSERT_EQ(simcard::InstallAndStartDriver(), "");
    const std::vector<DWORD> candidates = CandidateAddresses();
    ASSERT_EQ(candidates.size(), 32u);
    RemoveSimulatedCards();
    AddSimulatedCard("KVT5", candidates[4]);
    WriteCard(1, 0x310);
    const std::string inner = CardKeyPath(1) + "\\Other";
    ASSERT_EQ(testreg::CreateKey(inner + "\\Deeper"), ERROR_SUCCESS);
    ASSERT_EQ(testreg::WriteString(inner, "Setting", "kept"), ERROR_SUCCESS);
    SetConfigState(1);
    auto expectWhole = [&](const char *when) {
        EXPECT_EQ(ReadValue(CardKeyPath(1), "Address"), std::optional<DWORD>(0x310)) << when;
        EXPECT_TRUE(testreg::KeyExists(inner + "\\Deeper")) << when;
        const std::optional<testreg::Value> setting = testreg::ReadValue(inner, "Setting");
        EXPECT_TRUE(setting && setting->data == std::vector<BYTE>({'k', 'e', 'p', 't', 0})) << when;
    };

    ConfigProgram program;
    ASSERT_TRUE(program.WaitForWindow());
    ASSERT_TRUE(program.WaitIdle());
    const std::string line = UsedLine(1, 0x310, "Unknown");
    ASSERT_EQ(program.Lines()[1], line);

    ASSERT_TRUE(program.Select(1));
    ASSERT_TRUE(program.Press(kDeleteCard));
    ASSERT_TRUE(uiauto::WaitForControlText(program.window(), kStatus, kNotLoaded));
    ASSERT_TRUE(program.WaitIdle());
    EXPECT_FALSE(uiauto::HasMessageBox(program.id())) << "a failed delete is not reported";
    EXPECT_EQ(program.Lines()[1], line);
    EXPECT_EQ(program.Selection(), 1);
    expectWhole("after Delete");

    ASSERT_TRUE(program.EditCard("KVT2", IDCANCEL));
    EXPECT_EQ(program.Lines()[1], line);
    expectWhole("after a cancelled Edit");

    // The found card goes past the used slots 0 and 1.
    ASSERT_TRUE(program.Press(kFindCards));
    uiauto::MessageBoxInfo box = program.WaitForBox(10000);
    ASSERT_TRUE(box);
    ASSERT_EQ(box.text, "1 new card(s) found. Do you wish to add them to the configuration?");
    ASSERT_TRUE(uiauto::AnswerMessageBox(box.window, IDYES));
    ASSERT_TRUE(program.WaitIdle());
    EXPECT_EQ(ReadValue(CardKeyPath(2), "Address"), std::optional<DWORD>(candidates[4]));
    EXPECT_EQ(program.Lines()[1], line);
    expectWhole("after Find new cards");
    EXPECT_EQ(program.Exit(), std::optional<DWORD>(0));
}
