// The user's decimal separator when the user's locale has another code page
// than the system's (this program runs with a Russian user locale, 1251, on
// a Western system, 1252): a separator outside ASCII reaches the form in the
// system's code page, the one its windows show text in.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "Locale.h"
#include "UiAuto.h"

namespace formrt {
namespace {

UINT UserCodePage() {
    char digits[8] = {};
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE, digits, sizeof digits);
    return static_cast<UINT>(std::stoul("0" + std::string(digits)));
}

TEST(UserLocaleOfAnotherCodePage, ANonAsciiSeparatorComesInTheSystemsCodePage) {
    ASSERT_EQ(1251u, UserCodePage()) << "the run's user locale is not the Russian one it was given";
    ASSERT_EQ(1252u, GetACP());
    const std::string eAcute = "\xE9";  // in 1252; 1251 has no such letter
    ASSERT_EQ("", uiauto::SetUserDecimalSeparator(eAcute));
    char ownCodePage[8] = {};
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, ownCodePage, sizeof ownCodePage);
    ASSERT_NE(eAcute, ownCodePage) << "asked in the user's code page the bytes would be the same: this proves nothing";

    EXPECT_EQ(eAcute, UserDecimalSeparator());
    EXPECT_EQ("-2" + eAcute + "25", Fixed(-2.25f));
}

}  // namespace
}  // namespace formrt
