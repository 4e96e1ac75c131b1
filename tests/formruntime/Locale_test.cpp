// The edge of the "Fixed" format: the user's decimal separator.
#include <gtest/gtest.h>
#include <windows.h>

#include "Locale.h"

namespace formrt {
namespace {

// The user's choice in the control panel, in this test's own prefix, before
// the process first asks for it.
void SetUserDecimalSeparator(const char *separator) {
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\International", 0, nullptr, 0,
                                             KEY_SET_VALUE, nullptr, &key, nullptr));
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(key, "sDecimal", 0, REG_SZ, reinterpret_cast<const BYTE *>(separator),
                                            static_cast<DWORD>(strlen(separator) + 1)));
    RegCloseKey(key);
}

TEST(UserLocale, FixedUsesTheUsersDecimalSeparator) {
    ASSERT_NO_FATAL_FAILURE(SetUserDecimalSeparator(","));
    EXPECT_EQ(",", UserDecimalSeparator());
    EXPECT_EQ("-2,25", Fixed(-2.25f));
}

TEST(UserLocale, TheDefaultLocaleGivesThePoint) {
    EXPECT_EQ(".", UserDecimalSeparator());
    EXPECT_EQ("12345.68", Fixed(12345.678f));
}

}  // namespace
}  // namespace formrt
