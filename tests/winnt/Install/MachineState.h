// What the installer left on the machine, read directly from the file
// system, the registry and the Service Control Manager.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "Registry.h"

namespace installtest {

extern const char kEventLogKey[];
extern const char kSourceKey[];

std::string SystemFolder();   // with a closing backslash
std::string DriversFolder();  // with a closing backslash
bool FileExists(const std::string &path);
std::string FileBytes(const std::string &path);

using RegistryValue = testreg::Value;
std::optional<RegistryValue> ReadMachineValue(const std::string &keyPath, const std::string &name);
bool MachineKeyExists(const std::string &keyPath);
void WriteMachineValue(const std::string &keyPath, const std::string &name, DWORD type, const std::vector<BYTE> &data);

// The event log's "Sources" list, and a list built from names.
std::vector<BYTE> SourceList();
void SetSourceList(const std::vector<BYTE> &list);
std::vector<BYTE> MultiString(const std::vector<std::string> &names);
std::vector<BYTE> Bytes(const std::string &text);  // the characters, no zero added
std::string Printable(const std::vector<BYTE> &bytes);  // for failure messages

// The list stored exactly as given, each byte one UTF-16 character (how the
// registry keeps a list), with one stray byte more when `oddByte` is set: no
// terminator is added. The stored bytes, read back as they are.
// Through the ANSI entries, as the installer reads and writes, Wine converts:
// a read drops a stray odd byte, and a write whose last byte is not zero gets
// a terminator when the byte just past its count happens to be zero.
LONG SetStoredSourceList(const std::vector<BYTE> &characters, bool oddByte = false);
std::vector<BYTE> StoredSourceList();
// The names up to the closing zero (a name cut by the end of the data
// counts), and whether every name has its terminator and the list its
// closing zero.
std::vector<std::string> NamesOf(const std::vector<BYTE> &list);
bool IsClosedList(const std::vector<BYTE> &list);

struct ServiceFacts {
    DWORD type = 0, start = 0, errorControl = 0, state = 0;
    std::string displayName, imagePath;
};
std::optional<ServiceFacts> QueryMirvoService();

// Sends the service "Mirvo" the stop control; WaitForMirvoState tells the end.
void StopMirvo();

// Waits (bounded) until the service reaches `state`; false at the deadline.
bool WaitForMirvoState(DWORD state, DWORD deadlineMs = 10000);

// Waits (bounded) until the service is gone; a deleted service that still
// runs goes when it stops.
bool WaitUntilMirvoGone(DWORD deadlineMs = 10000);

}  // namespace installtest
