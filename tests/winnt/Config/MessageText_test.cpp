// The look-up behind the "Error" box of a failed registry call: the whole
// text comes back however long it is, and the box shows its first 127
// characters instead of "Unknown error".
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

#include "MessageText.h"
#include "StoreErrorText.h"

using namespace cfg;

namespace {
constexpr DWORD LongMessageId = 0x2000;
const std::string LongText =
    "This stands for a system text that does not fit into one hundred and twenty-eight bytes, "
    "so a fixed buffer of that size would get nothing at all back.\r\n";
}  // namespace

TEST(MessageText, LongTextComesBackWhole) {
    HMODULE self = GetModuleHandleA(nullptr);
    std::optional<std::string> text = kit::MessageText(LongMessageId, kit::kSystemDefaultLanguage, std::string::npos, self);
    ASSERT_TRUE(text) << "no text for the long message";
    EXPECT_EQ(*text, LongText);

    // Why the whole text is fetched: a 128-byte buffer gets nothing.
    char fixed[128];
    std::memset(fixed, 0xbd, sizeof fixed);
    EXPECT_EQ(FormatMessageA(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_IGNORE_INSERTS, self,
                             LongMessageId, MAKELANGID(LANG_NEUTRAL, SUBLANG_SYS_DEFAULT), fixed,
                             sizeof fixed, nullptr),
              0u);

    EXPECT_EQ(RegistryErrorText(LongMessageId, text), LongText.substr(0, 127));
}

TEST(MessageText, SystemTexts) {
    std::optional<std::string> denied = kit::MessageText(ERROR_ACCESS_DENIED, kit::kSystemDefaultLanguage);
    ASSERT_TRUE(denied);
    EXPECT_NE(denied->find("denied"), std::string::npos) << *denied;
    EXPECT_EQ(RegistryErrorText(ERROR_ACCESS_DENIED, denied), *denied);

    // A code the system has no text for.
    std::optional<std::string> none = kit::MessageText(0x20001234, kit::kSystemDefaultLanguage);
    EXPECT_FALSE(none) << *none;
    EXPECT_EQ(RegistryErrorText(0x20001234, none), "Unknown error 20001234");
}
