// What the installer puts on a machine, and under which names.
#pragma once

#include <windows.h>

namespace installation {

constexpr char kDriverFile[] = "Mirvo.sys";
constexpr char kLibraryFile[] = "Mirvo.dll";
constexpr char kServiceName[] = "Mirvo";
constexpr char kServiceDisplayName[] = "Qorim 4ch loadcell card";

constexpr char kEventLogKey[] = "System\\CurrentControlSet\\Services\\EventLog\\System\\";
constexpr char kSourceListValue[] = "Sources";
constexpr char kSourceName[] = "Mirvo";
constexpr char kSourceKey[] = "System\\CurrentControlSet\\Services\\EventLog\\System\\Mirvo";
constexpr char kMessageFileValue[] = "EventMessageFile";
constexpr char kMessageFile[] = "%SystemRoot%\\System32\\IOLOGMSG.DLL";
constexpr char kTypesSupportedValue[] = "TypesSupported";
constexpr DWORD kTypesSupported = EVENTLOG_ERROR_TYPE | EVENTLOG_WARNING_TYPE | EVENTLOG_INFORMATION_TYPE;

}  // namespace installation
