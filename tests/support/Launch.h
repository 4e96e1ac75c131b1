// Starting a program for a test and waiting for its end, bounded: what the
// UI-automation Process and the installer's console runs have in common.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "UniqueHandle.h"

namespace launch {

struct Started {
    kit::KernelHandle process;  // empty when the start failed
    DWORD id = 0;
    std::string error;  // why the start failed
};

// Runs `start` (true when it started its process) once more when Wine's own
// start-up ended the new process, before any of it ran: the start failed
// with ERROR_INTERNAL_ERROR (seen for a program once in a whole run of the
// suite, and for the simulated driver's host twice in ten). The second start
// is said on standard error, naming `what`.
bool StartOnceMoreIfWineEndedIt(const std::string &what, const std::function<bool()> &start);

// Starts `program` with `arguments` appended to its quoted path, in
// `workingDir` ("" = the caller's), with `startup` as given; the program
// inherits the caller's inheritable handles when `inheritHandles` is set;
// `creationFlags` go to CreateProcess (e.g. CREATE_NEW_PROCESS_GROUP).
Started Start(const std::string &program, const std::string &arguments, const std::string &workingDir,
              STARTUPINFOA &startup, bool inheritHandles = false, DWORD creationFlags = 0);

// The exit code once the process has ended within `timeoutMs`; none when it
// still runs (or its code cannot be read).
std::optional<DWORD> WaitForExit(HANDLE process, DWORD timeoutMs);

// Ends a process that still runs with `exitCode` and waits (bounded) for it.
void Kill(HANDLE process, UINT exitCode, DWORD timeoutMs);

}  // namespace launch
