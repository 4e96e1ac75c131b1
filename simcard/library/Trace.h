// The call trace: switched on by HKLM\SOFTWARE\KvtSim\TraceFile (a path),
// read once per process; each entry call appends one line to that file.
#pragma once

#include <string>

namespace mirvo {

// Is the trace on for this process? Cheap after the first call.
bool TraceOn();

// Appends a line written by TraceLine. Leaves the thread's last-error value
// as it was: callers read it after the entry returns.
void TraceWrite(const std::string &line);

}  // namespace mirvo
