// "Find new cards" through the real window against the simulated card:
// what the user is told and asked, where the found cards go, and what is
// left of the status line.
#include <gtest/gtest.h>

#include "ConfigProgram.h"
#include "ExpectBox.h"
#include "SimCard.h"
#include "SimConfig.h"

using namespace cfgtest;

namespace {

// The running program, past its start, with the driver running.
struct FindFixture : ::testing::Test {
    std::vector<DWORD> candidates;
    ConfigProgram *program = nullptr;
    std::unique_ptr<ConfigProgram> owned;

    void SetUp() override {
        candidates = CandidateAddresses();
        ASSERT_EQ(candidates.size(), 32u) << "MirvoGetCardAddr is not there";
    }

    void StartProgram() {
        owned = std::make_unique<ConfigProgram>();
        program = owned.get();
        ASSERT_TRUE(program->WaitForWindow());
        ASSERT_TRUE(program->WaitIdle());
        ASSERT_FALSE(uiauto::HasMessageBox(program->id()));
    }

    uiauto::MessageBoxInfo PressFind() {
        EXPECT_TRUE(program->Press(kFindCards));
        return program->WaitForBox(10000);
    }

    void ExpectQuestion(const uiauto::MessageBoxInfo &box, int count) {
        ASSERT_TRUE(box) << "no question came";
        uiauto::ExpectBox(box, {std::to_string(count) +
                                    " new card(s) found. Do you wish to add them to the configuration?",
                                "Information", uiauto::IconKind::Question, {IDYES, IDNO}, program->window()});
        EXPECT_EQ(program->Status(), "Searching for new cards...") << "shown while the box is up";
    }
};

}  // namespace

TEST_F(FindFixture, NoneFound) {
    ASSERT_EQ(simcard::InstallAndStartDriver(), "");
    RemoveSimulatedCards();
    StartProgram();
    const std::string status = program->Status();
    const std::vector<std::string> lines = program->Lines();

    uiauto::MessageBoxInfo box = PressFind();
    ASSERT_TRUE(box) << "no box came";
    uiauto::ExpectBox(box, {"No new cards found", "Information", uiauto::IconKind::Information, {IDOK},
                            program->window()});
    ASSERT_TRUE(uiauto::AnswerMessageBox(box.window, IDOK));
    ASSERT_TRUE(program->WaitIdle());
    EXPECT_EQ(program->Status(), status);
    EXPECT_EQ(program->Lines(), lines);
}

TEST_F(FindFixture, ThreeFoundTakeTheLowestFreeSlotsInProbeOrder) {
    ASSERT_EQ(simcard::InstallAndStartDriver(), "");
    RemoveSimulatedCards();
    // Named against the probe order, so only the address decides the order.
    AddSimulatedCard("KVT9", candidates[1]);
    AddSimulatedCard("KVT3", candidates[9]);
    AddSimulatedCard("KVT7", candidates[5]);
    WriteCard(0, 0x7000);
    WriteCard(2, 0x7010);
    SetConfigState(1);
    StartProgram();

    uiauto::MessageBoxInfo box = PressFind();
    ExpectQuestion(box, 3);
    ASSERT_TRUE(uiauto::AnswerMessageBox(box.window, IDYES));
    ASSERT_TRUE(uiauto::WaitForControlText(program->window(), kStatus, kNotLoaded));
    ASSERT_TRUE(program->WaitIdle());

    EXPECT_EQ(ReadValue(CardKeyPath(0), "Address"), std::optional<DWORD>(0x7000));
    EXPECT_EQ(ReadValue(CardKeyPath(1), "Address"), std::optional<DWORD>(candidates[1]));
    EXPECT_EQ(ReadValue(CardKeyPath(2), "Address"), std::optional<DWORD>(0x7010));
    EXPECT_EQ(ReadValue(CardKeyPath(3), "Address"), std::optional<DWORD>(candidates[5]));
    EXPECT_EQ(ReadValue(CardKeyPath(4), "Address"), std::optional<DWORD>(candidates[9]));
    EXPECT_FALSE(ReadValue(CardKeyPath(1), "ConfigState")) << "a new card gets no state code";
    EXPECT_FALSE(CardExists(5));
    EXPECT_EQ(ConfigState(), std::optional<DWORD>(0));
    std::vector<std::string> lines = program->Lines();
    ASSERT_EQ(lines.size(), 32u);
    EXPECT_EQ(lines[1], UsedLine(1, candidates[1], "Unknown"));
    EXPECT_EQ(lines[4], UsedLine(4, candidates[9], "Unknown"));
    EXPECT_EQ(lines[5], FreeLine(5));
    EXPECT_EQ(program->Selection(), 0);
}

TEST_F(FindFixture, AnswerNoWritesNothing) {
    ASSERT_EQ(simcard::InstallAndStartDriver(), "");
    RemoveSimulatedCards();
    AddSimulatedCard("KVT1", candidates[0]);
    SetConfigState(1);
    StartProgram();
    const std::string status = program->Status();

    uiauto::MessageBoxInfo box = PressFind();
    ExpectQuestion(box, 1);
    ASSERT_TRUE(uiauto::AnswerMessageBox(box.window, IDNO));
    ASSERT_TRUE(program->WaitIdle());
    EXPECT_EQ(program->Status(), status);
    EXPECT_EQ(ConfigState(), std::optional<DWORD>(1));
    for (int slot = 1; slot < 32; ++slot) EXPECT_FALSE(CardExists(slot)) << "slot " << slot;
}

TEST_F(FindFixture, MoreCardsThanFreeSlots) {
    ASSERT_EQ(simcard::InstallAndStartDriver(), "");
    RemoveSimulatedCards();
    AddSimulatedCard("KVT1", candidates[3]);
    AddSimulatedCard("KVT2", candidates[4]);
    for (int slot = 0; slot < 32; ++slot)
        if (slot != 30) WriteCard(slot, 0x7000 + slot);
    SetConfigState(1);
    StartProgram();

    uiauto::MessageBoxInfo box = PressFind();
    ExpectQuestion(box, 2);
    ASSERT_TRUE(uiauto::AnswerMessageBox(box.window, IDYES));
    ASSERT_TRUE(uiauto::WaitForControlText(program->window(), kStatus, kNotLoaded));
    ASSERT_TRUE(program->WaitIdle());
    EXPECT_FALSE(uiauto::HasMessageBox(program->id())) << "the rest is dropped silently";
    EXPECT_EQ(ReadValue(CardKeyPath(30), "Address"), std::optional<DWORD>(candidates[3]));
    EXPECT_EQ(ReadValue(CardKeyPath(31), "Address"), std::optional<DWORD>(0x7000 + 31));
    EXPECT_EQ(ConfigState(), std::optional<DWORD>(0));
}

TEST_F(FindFixture, NoFreeSlotStillMarksTheConfigurationChanged) {
    ASSERT_EQ(simcard::InstallAndStartDriver(), "");
    RemoveSimulatedCards();
    AddSimulatedCard("KVT1", candidates[7]);
    for (int slot = 0; slot < 32; ++slot) WriteCard(slot, 0x7000 + slot);
    SetConfigState(1);
    StartProgram();

    uiauto::MessageBoxInfo box = PressFind();
    ExpectQuestion(box, 1);
    ASSERT_TRUE(uiauto::AnswerMessageBox(box.window, IDYES));
    ASSERT_TRUE(uiauto::WaitForControlText(program->window(), kStatus, kNotLoaded));
    EXPECT_EQ(ConfigState(), std::optional<DWORD>(0));
    for (int slot = 0; slot < 32; ++slot)
        EXPECT_EQ(ReadValue(CardKeyPath(slot), "Address"), std::optional<DWORD>(0x7000 + slot));
}

TEST_F(FindFixture, DetectFailingAtTheFirstCandidate) {
    ASSERT_EQ(simcard::InstallAndStartDriver(), "");
    RemoveSimulatedCards();
    AddSimulatedCard("KVT1", candidates[2]);
    FailDetectAt(candidates[0], ERROR_ACCESS_DENIED);
    SetConfigState(1);
    StartProgram();
    const std::string status = program->Status();

    uiauto::MessageBoxInfo box = PressFind();
    ASSERT_TRUE(box) << "no error box";
    EXPECT_EQ(box.caption, "Application Error");
    EXPECT_NE(box.text.find("Win32 Error.  Code: 5.\n" + SystemText(ERROR_ACCESS_DENIED)), std::string::npos)
        << box.text;
    EXPECT_NE(box.text.find("mirvocfg.exe"), std::string::npos) << box.text;
    EXPECT_EQ(box.icon, uiauto::IconKind::Stop) << uiauto::ToString(box.icon);
    EXPECT_EQ(box.ButtonIds(), std::vector<int>{IDOK});
    ASSERT_TRUE(uiauto::AnswerMessageBox(box.window, IDOK));
    ASSERT_TRUE(program->WaitIdle());
    EXPECT_FALSE(uiauto::HasMessageBox(program->id())) << "no question after the failure";
    EXPECT_EQ(program->Status(), status);
    EXPECT_TRUE(program->process().Running()) << "the program goes on";
    for (int slot = 1; slot < 32; ++slot) EXPECT_FALSE(CardExists(slot)) << "slot " << slot;
    EXPECT_EQ(ConfigState(), std::optional<DWORD>(1));
}

// Each found card is written as its slot is found free; a write that fails
// shows its "Error" box, counts as placed, and the placement goes on.
TEST_F(FindFixture, ACardSubkeyThatCannotBeCreatedCountsAsPlaced) {
    ASSERT_EQ(simcard::InstallAndStartDriver(), "");
    RemoveSimulatedCards();
    AddSimulatedCard("KVT1", candidates[3]);
    AddSimulatedCard("KVT2", candidates[6]);
    ASSERT_EQ(MakeServiceKeyVolatile(), "");
    SetConfigState(1);
    StartProgram();

    uiauto::MessageBoxInfo box = PressFind();
    ExpectQuestion(box, 2);
    ASSERT_TRUE(uiauto::AnswerMessageBox(box.window, IDYES));
    const std::string expected = SystemText(ERROR_CHILD_MUST_BE_VOLATILE);
    for (int slot = 0; slot < 2; ++slot) {
        uiauto::MessageBoxInfo error = program->WaitForBox();
        ASSERT_TRUE(error) << "no error box for slot " << slot;
        EXPECT_EQ(error.caption, "Error");
        EXPECT_EQ(error.text.substr(0, error.text.find_last_not_of("\r\n") + 1), expected);
        EXPECT_EQ(error.owner, program->window());
        ASSERT_TRUE(uiauto::AnswerMessageBox(error.window, IDOK));
    }
    ASSERT_TRUE(uiauto::WaitForControlText(program->window(), kStatus, kNotLoaded));
    ASSERT_TRUE(program->WaitIdle());
    EXPECT_FALSE(uiauto::HasMessageBox(program->id())) << "one box per found card, no more";
    for (int slot = 0; slot < 32; ++slot) EXPECT_FALSE(CardExists(slot)) << "slot " << slot;
    EXPECT_EQ(ConfigState(), std::optional<DWORD>(0));
    const std::vector<std::string> lines = program->Lines();
    ASSERT_EQ(lines.size(), 32u);
    EXPECT_EQ(lines[0], FreeLine(0));
    EXPECT_EQ(lines[1], FreeLine(1));
    EXPECT_TRUE(program->process().Running());
    program->process().Kill();
}
