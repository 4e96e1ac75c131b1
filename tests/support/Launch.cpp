#include "Launch.h"

namespace launch {

Started Start(const std::string &program, const std::string &arguments, const std::string &workingDir,
              STARTUPINFOA &startup, bool inheritHandles, DWORD creationFlags) {
    Started started;
    std::string commandLine = "\"" + program + "\"";
    if (!arguments.empty()) commandLine += " " + arguments;
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, inheritHandles, creationFlags, nullptr,
                        workingDir.empty() ? nullptr : workingDir.c_str(), &startup, &info)) {
        started.error = "CreateProcess(" + commandLine + ") failed, error " + std::to_string(GetLastError());
        return started;
    }
    const kit::KernelHandle thread(info.hThread);
    started.process.reset(info.hProcess);
    started.id = info.dwProcessId;
    return started;
}

std::optional<DWORD> WaitForExit(HANDLE process, DWORD timeoutMs) {
    if (!process || WaitForSingleObject(process, timeoutMs) != WAIT_OBJECT_0) return std::nullopt;
    DWORD code = 0;
    if (!GetExitCodeProcess(process, &code)) return std::nullopt;
    return code;
}

void Kill(HANDLE process, UINT exitCode, DWORD timeoutMs) {
    if (!process || WaitForSingleObject(process, 0) != WAIT_TIMEOUT) return;
    TerminateProcess(process, exitCode);
    WaitForSingleObject(process, timeoutMs);
}

}  // namespace launch
