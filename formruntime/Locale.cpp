#include "Locale.h"

#include <windows.h>

#include "FixedFormat.h"

namespace formrt {

std::string UserDecimalSeparator() {
    char separator[8] = {};  // the system allows up to three characters
    // In the system's code page, the one the form's windows show text in:
    // without LOCALE_USE_CP_ACP a user locale of another code page would
    // give its own bytes, and a non-ASCII separator would show garbled.
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL | LOCALE_USE_CP_ACP, separator, sizeof separator) <= 1)
        return ".";
    return separator;
}

std::string Fixed(float value) { return FormatFixed(value, UserDecimalSeparator()); }

}  // namespace formrt
