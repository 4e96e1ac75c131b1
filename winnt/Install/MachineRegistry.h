// Registry operations under HKEY_LOCAL_MACHINE, shared by install and
// uninstall; every result code that reaches a person goes through
// ReportSystemError.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "UniqueHandle.h"

namespace installation {

// Creates or opens the key with full access; empty (after the report) on failure.
kit::RegKey OpenMachineKey(const std::string &path);
std::optional<std::vector<BYTE>> ReadMultiString(const kit::RegKey &key, const std::string &name);
bool WriteMultiString(const kit::RegKey &key, const std::string &name, const BYTE *buffer, DWORD size);
// Both throw InstallFailure "Error writing registry" when the write fails.
void WriteDwordValue(const kit::RegKey &key, const std::string &name, DWORD value);
void WriteExpandStringValue(const kit::RegKey &key, const std::string &name, const std::string &value);

}  // namespace installation
