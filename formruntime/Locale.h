// The user's locale, looked up at the edge for the pure formats.
#pragma once

#include <string>

namespace formrt {

// The decimal separator of the user's locale, with the user's own choice in
// the control panel (under Wine: HKCU\Control Panel\International, "sDecimal"),
// in the system's ANSI code page; "." when the system gives none.
std::string UserDecimalSeparator();

// The "Fixed" format (FixedFormat.h) with the user's decimal separator.
std::string Fixed(float value);

}  // namespace formrt
