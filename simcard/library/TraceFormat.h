// The call trace's line format (documented in simcard/README.md). Pure.
//
//   <entry>(<arguments>) = <result>[ <detail>][ error=0x<8 hex digits>]
//
// Handles, codes and addresses are 0x and eight upper-case hex digits, other
// numbers decimal, strings in double quotes, pointers "buffer" or "NULL".
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>

namespace mirvo {

std::string Hex8(DWORD value);            // "0x000003A0"
std::string Decimal(LONG value);          // "-1"
std::string Quoted(const char *text);     // "\"KVT1\"", NULL; unprintables as '?', cut at 64
std::string Pointer(const void *pointer); // "buffer" or "NULL"
std::string Weights(const float (&channel)[4]);  // "weights=1.5 -0.25 0 12"

// One line with its CR LF. `failed` appends the last-error value.
std::string TraceLine(const char *entry, std::initializer_list<std::string> arguments,
                      const std::string &result, const std::string &detail, bool failed,
                      DWORD lastError);

}  // namespace mirvo
