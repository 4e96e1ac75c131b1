// The registry as the tests arrange and inspect it, under HKEY_LOCAL_MACHINE
// unless a root is given. Each call opens and closes its own key; a failed
// write says why in its result, a failed read gives none.
#pragma once

#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace testreg {

struct Value {
    DWORD type = 0;
    std::vector<BYTE> data;
};
inline bool operator==(const Value &a, const Value &b) { return a.type == b.type && a.data == b.data; }
inline bool operator!=(const Value &a, const Value &b) { return !(a == b); }

bool KeyExists(const std::string &path, HKEY root = HKEY_LOCAL_MACHINE);
// Creates the key (and the keys above it); ERROR_SUCCESS or the error code.
LONG CreateKey(const std::string &path, HKEY root = HKEY_LOCAL_MACHINE);
// Removes the key with everything below it; a missing key is no failure.
LONG DeleteTree(const std::string &path, HKEY root = HKEY_LOCAL_MACHINE);

// A 4-byte value of any type, filled with junk first; none when missing.
std::optional<DWORD> ReadDword(const std::string &path, const char *name, HKEY root = HKEY_LOCAL_MACHINE);
std::optional<Value> ReadValue(const std::string &path, const char *name, HKEY root = HKEY_LOCAL_MACHINE);

// Creates the key when needed; ERROR_SUCCESS or the error code.
LONG WriteDword(const std::string &path, const char *name, DWORD value, HKEY root = HKEY_LOCAL_MACHINE);
LONG WriteValue(const std::string &path, const char *name, DWORD type, const void *data, DWORD size,
                HKEY root = HKEY_LOCAL_MACHINE);
LONG WriteString(const std::string &path, const char *name, const std::string &text,
                 HKEY root = HKEY_LOCAL_MACHINE);
LONG DeleteValue(const std::string &path, const char *name, HKEY root = HKEY_LOCAL_MACHINE);

// Every value under the key and its subkeys, named "sub\\key\\name" relative
// to `path` (a key's default value as "sub\\key\\"), and every subkey as
// "sub\\key\\" with no value; empty when the key is missing. For checking that
// a program left a part of the registry as it found it. `view`: a registry
// view (KEY_WOW64_64KEY) for a key that 32-bit programs also read there.
std::map<std::string, Value> ReadTree(const std::string &path, HKEY root = HKEY_LOCAL_MACHINE, REGSAM view = 0);

}  // namespace testreg
