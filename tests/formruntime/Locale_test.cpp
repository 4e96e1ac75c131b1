// The edge of the "Fixed" format: the user's decimal separator.
#include <gtest/gtest.h>
#include <windows.h>

#include "Locale.h"
#include "UiAuto.h"

namespace formrt {
namespace {

TEST(UserLocale, FixedUsesTheUsersDecimalSeparator) {
    // The user's choice in the control panel, before this process first asks.
    ASSERT_EQ("", uiauto::SetUserDecimalSeparator(","));
    EXPECT_EQ(",", UserDecimalSeparator());
    EXPECT_EQ("-2,25", Fixed(-2.25f));
}

TEST(UserLocale, TheDefaultLocaleGivesThePoint) {
    EXPECT_EQ(".", UserDecimalSeparator());
    EXPECT_EQ("12345.68", Fixed(12345.678f));
}

}  // namespace
}  // namespace formrt
