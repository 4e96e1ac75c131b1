#include "ProgramProbe.h"

#include <cstdio>
#include <stdexcept>

namespace kit_test {

Probe::Probe() {
    char name[64];
    std::snprintf(name, sizeof name, "kit-probe-%lu-%lu", GetCurrentProcessId(), GetTickCount());
    mapping_ = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(ProbeCounters), name);
    if (mapping_) counters_ = static_cast<ProbeCounters *>(MapViewOfFile(mapping_, FILE_MAP_WRITE, 0, 0, 0));
    if (!counters_) throw std::runtime_error("no shared memory for the probe: error " + std::to_string(GetLastError()));
    ZeroMemory(counters_, sizeof *counters_);
    SetEnvironmentVariableA(kProbeVariable, name);
}

Probe::~Probe() {
    SetEnvironmentVariableA(kProbeVariable, nullptr);
    UnmapViewOfFile(counters_);
    CloseHandle(mapping_);
}

}  // namespace kit_test
