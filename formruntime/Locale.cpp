#include "Locale.h"

#include <windows.h>

#include "FixedFormat.h"

namespace formrt {

std::string UserDecimalSeparator() {
    char separator[8] = {};  // the system allows up to three characters
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, sizeof separator) <= 1) return ".";
    return separator;
}

std::string Fixed(float value) { return FormatFixed(value, UserDecimalSeparator()); }

}  // namespace formrt
