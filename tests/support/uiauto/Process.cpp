#include "UiAuto.h"

#include <utility>

namespace uiauto {

bool WaitUntil(const std::function<bool()> &condition, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (condition()) return true;
        if (GetTickCount64() >= deadline) return false;
        Sleep(20);
    }
}

Process Process::Start(const std::string &program, const std::string &arguments,
                       const std::string &workingDir, int showCommand) {
    Process process;
    std::string commandLine = "\"" + program + "\"";
    if (!arguments.empty()) commandLine += " " + arguments;

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showCommand);
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workingDir.empty() ? nullptr : workingDir.c_str(), &startup, &info)) {
        process.error_ = "CreateProcess(" + commandLine + ") failed, error " + std::to_string(GetLastError());
        return process;
    }
    CloseHandle(info.hThread);
    process.handle_ = info.hProcess;
    process.id_ = info.dwProcessId;
    return process;
}

Process::Process(Process &&other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)),
      id_(other.id_),
      error_(std::move(other.error_)),
      debugger_(std::move(other.debugger_)) {}

Process &Process::operator=(Process &&other) noexcept {
    if (this != &other) {
        Kill();
        if (handle_) CloseHandle(handle_);
        handle_ = std::exchange(other.handle_, nullptr);
        id_ = other.id_;
        error_ = std::move(other.error_);
        debugger_ = std::move(other.debugger_);
    }
    return *this;
}

Process::~Process() {
    Kill();
    debugger_.reset();  // its thread ends with the program
    if (handle_) CloseHandle(handle_);
}

bool Process::Running() const {
    return handle_ && WaitForSingleObject(handle_, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> Process::WaitForExit(DWORD timeoutMs) const {
    if (!handle_ || WaitForSingleObject(handle_, timeoutMs) != WAIT_OBJECT_0) return std::nullopt;
    DWORD code = 0;
    if (!GetExitCodeProcess(handle_, &code)) return std::nullopt;
    return code;
}

void Process::Kill() {
    if (!Running()) return;
    TerminateProcess(handle_, 0xdead);
    WaitForSingleObject(handle_, kDefaultTimeoutMs);
}

}  // namespace uiauto
