// The installer's procedures: the frame (command line, console, error texts),
// the install procedure and the uninstall procedure.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "Handles.h"

namespace installation {

// The whole run: platform check, one action, and the catch that turns every
// failure into one "Could not install: " line.
void RunInstaller();

// Command line and console.
bool OptionGiven(const std::string &letter);
void ShowUsage();
bool IsWindowsNT4OrLater();
bool ReportSystemError(DWORD code);
std::string SystemErrorText(DWORD code);
char ReadKeyChar();
void PressAnyKey();

// Paths and registry operations shared by install and uninstall.
std::string SystemDirPath();
std::string DriversDirPath();
RegKey OpenMachineKey(const std::string &path);
std::optional<std::vector<BYTE>> ReadMultiString(const RegKey &key, const std::string &name);
bool WriteMultiString(const RegKey &key, const std::string &name, const BYTE *buffer, DWORD size);
void WriteDwordValue(const RegKey &key, const std::string &name, DWORD value);
void WriteExpandStringValue(const RegKey &key, const std::string &name, const std::string &value);

// Install.
void CopyDriverFiles(const std::string &sourceDir);
void CreateDriverService();
void AddEventLogSource();
void DoInstall();

// Uninstall.
void DoUninstall();
void DeleteDriverFiles();
void RemoveEventLogSource();
void RemoveDriverService();

}  // namespace installation
