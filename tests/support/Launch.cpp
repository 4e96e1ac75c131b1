#include "Launch.h"

#include <cstdio>

namespace launch {

Started Start(const std::string &program, const std::string &arguments, const std::string &workingDir,
              STARTUPINFOA &startup, bool inheritHandles, DWORD creationFlags) {
    Started started;
    std::string commandLine = "\"" + program + "\"";
    if (!arguments.empty()) commandLine += " " + arguments;
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    auto create = [&] {
        return CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, inheritHandles, creationFlags,
                              nullptr, workingDir.empty() ? nullptr : workingDir.c_str(), &startup, &info);
    };
    // ERROR_INTERNAL_ERROR: Wine's new process ended in Wine's own start-up,
    // before any of the program ran (seen once in a whole run of the suite). That
    // start is made once more, and said so on standard error.
    bool created = create();
    if (!created && GetLastError() == ERROR_INTERNAL_ERROR) {
        std::fprintf(stderr, "launch: CreateProcess(%s) failed with error %lu in Wine's start-up; starting again\n",
                     commandLine.c_str(), static_cast<unsigned long>(ERROR_INTERNAL_ERROR));
        created = create();
    }
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
