#include "Launch.h"

#include <cstdio>

namespace launch {

bool StartOnceMoreIfWineEndedIt(const std::string &what, const std::function<bool()> &start) {
    if (start()) return true;
    if (GetLastError() != ERROR_INTERNAL_ERROR) return false;
    std::fprintf(stderr, "launch: %s failed with error %lu in Wine's start-up; starting again\n", what.c_str(),
                 static_cast<unsigned long>(ERROR_INTERNAL_ERROR));
    return start();
}

Started Start(const std::string &program, const std::string &arguments, const std::string &workingDir,
              STARTUPINFOA &startup, bool inheritHandles, DWORD creationFlags) {
    Started started;
    std::string commandLine = "\"" + program + "\"";
    if (!arguments.empty()) commandLine += " " + arguments;
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    const bool created = StartOnceMoreIfWineEndedIt("CreateProcess(" + commandLine + ")", [&] {
        return CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, inheritHandles, creationFlags,
                              nullptr, workingDir.empty() ? nullptr : workingDir.c_str(), &startup, &info) != FALSE;
    });
    if (!created) {
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
