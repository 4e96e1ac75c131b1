// The card configuration store against the registry of the test's own
// prefix, with no window: what it would show goes to a RecordingView.
#include <gtest/gtest.h>

#include "MessageText.h"
#include "RecordingView.h"
#include "Registry.h"
#include "StoreRegistry.h"

using namespace cfg;
using cfgtest::RecordingView;

namespace {

const std::string kServiceKey = MIRVO_SERVICE_KEY;

class Store : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(testreg::CreateKey(kServiceKey), ERROR_SUCCESS); }
    void TearDown() override { testreg::DeleteTree(kServiceKey); }
    RecordingView view;
};

TEST_F(Store, CreateCardKeyWritesTheAddressOnlyWhenNonzero) {
    EXPECT_TRUE(CreateCardKey(view, 0, 0x3A0));
    EXPECT_EQ(testreg::ReadDword(kServiceKey + "\\0", "Address"), std::optional<DWORD>(0x3A0));
    EXPECT_TRUE(CreateCardKey(view, 31, 0));
    EXPECT_TRUE(testreg::KeyExists(kServiceKey + "\\31"));
    EXPECT_FALSE(testreg::ReadDword(kServiceKey + "\\31", "Address"));
    // An existing slot keeps its other values; a nonzero address replaces its own.
    testreg::WriteDword(kServiceKey + "\\0", "ConfigState", 1);
    EXPECT_TRUE(CreateCardKey(view, 0, 0x3B0));
    EXPECT_EQ(testreg::ReadDword(kServiceKey + "\\0", "Address"), std::optional<DWORD>(0x3B0));
    EXPECT_EQ(testreg::ReadDword(kServiceKey + "\\0", "ConfigState"), std::optional<DWORD>(1));
    EXPECT_TRUE(view.events.empty()) << view.events.front();
}

TEST_F(Store, DeleteCardKeyOfAFreeSlotShowsNothing) {
    ASSERT_TRUE(CreateCardKey(view, 5, 0x300));
    EXPECT_TRUE(DeleteCardKey(view, 5));
    EXPECT_FALSE(IsCardConfigured(5));
    EXPECT_TRUE(DeleteCardKey(view, 5));
    EXPECT_TRUE(view.events.empty()) << view.events.front();
}

TEST_F(Store, ReportRegistryErrorShowsTheSystemsTextOrUnknownError) {
    EXPECT_TRUE(ReportRegistryError(view, ERROR_SUCCESS));
    EXPECT_TRUE(view.events.empty());

    EXPECT_FALSE(ReportRegistryError(view, ERROR_ACCESS_DENIED));
    const std::string text =
        kit::MessageText(ERROR_ACCESS_DENIED, kit::kSystemDefaultLanguage).value_or("<no text>");
    EXPECT_FALSE(ReportRegistryError(view, 0x20001234));
    EXPECT_EQ(view.events, (std::vector<std::string>{"box Error: " + text.substr(0, 127),
                                                     "box Error: Unknown error 20001234"}));
}

TEST_F(Store, MarkConfigChangedWritesZeroAndShowsNotLoaded) {
    testreg::WriteDword(kServiceKey, "ConfigState", 1);
    ASSERT_TRUE(IsConfigLoaded());
    MarkConfigChanged(view);
    EXPECT_EQ(testreg::ReadDword(kServiceKey, "ConfigState"), std::optional<DWORD>(0));
    EXPECT_FALSE(IsConfigLoaded());
    EXPECT_EQ(view.events, std::vector<std::string>{"status not loaded"});

    // Without the service key there is nothing to write and nothing to show.
    testreg::DeleteTree(kServiceKey);
    view.events.clear();
    MarkConfigChanged(view);
    EXPECT_TRUE(view.events.empty()) << view.events.front();
    EXPECT_FALSE(testreg::KeyExists(kServiceKey));
}

TEST_F(Store, IsConfigLoadedOnlyForOne) {
    EXPECT_FALSE(IsConfigLoaded()) << "missing value";
    for (DWORD value : {0u, 2u, 0xFFFFFFFFu}) {
        testreg::WriteDword(kServiceKey, "ConfigState", value);
        EXPECT_FALSE(IsConfigLoaded()) << value;
    }
    testreg::WriteDword(kServiceKey, "ConfigState", 1);
    EXPECT_TRUE(IsConfigLoaded());
}

TEST_F(Store, ReadCardReadsTheStateOnlyWhenAsked) {
    EXPECT_FALSE(ReadCard(3, true).configured);
    testreg::WriteDword(kServiceKey + "\\3", "Address", 0x3C0);
    testreg::WriteDword(kServiceKey + "\\3", "ConfigState", 2);
    CardRecord running = ReadCard(3, true);
    EXPECT_TRUE(running.configured);
    EXPECT_EQ(running.address, 0x3C0u);
    EXPECT_EQ(running.state, 2u);
    EXPECT_EQ(ReadCard(3, false).state, 0u) << "with the driver stopped every card reads state 0";

    // A used slot with neither value.
    testreg::CreateKey(kServiceKey + "\\4");
    CardRecord empty = ReadCard(4, true);
    EXPECT_TRUE(empty.configured);
    EXPECT_EQ(empty.address, 0u);
    EXPECT_EQ(empty.state, 0u);

    ClearCardState(3);
    EXPECT_EQ(ReadCard(3, true).state, 0u);
    ClearCardState(9);  // a free slot stays free
    EXPECT_FALSE(IsCardConfigured(9));
}

}  // namespace
