#include "UiAuto.h"

#include "Launch.h"

#include <utility>

namespace uiauto {

Process Process::Start(const std::string &program, const std::string &arguments,
                       const std::string &workingDir, int showCommand) {
    STARTUPINFOA startup = {};
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showCommand);
    launch::Started started = launch::Start(program, arguments, workingDir, startup);
    Process process;
    process.handle_ = std::move(started.process);
    process.id_ = started.id;
    process.error_ = std::move(started.error);
    return process;
}

Process::Process(Process &&other) noexcept
    : handle_(std::move(other.handle_)),
      id_(other.id_),
      error_(std::move(other.error_)),
      debugger_(std::move(other.debugger_)) {}

Process &Process::operator=(Process &&other) noexcept {
    if (this != &other) {
        Kill();
        handle_ = std::move(other.handle_);
        id_ = other.id_;
        error_ = std::move(other.error_);
        debugger_ = std::move(other.debugger_);
    }
    return *this;
}

Process::~Process() {
    Kill();
    debugger_.reset();  // its thread ends with the program
}

bool Process::Running() const {
    return handle_ && WaitForSingleObject(handle_.get(), 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> Process::WaitForExit(DWORD timeoutMs) const {
    return launch::WaitForExit(handle_.get(), timeoutMs);
}

void Process::Kill() { launch::Kill(handle_.get(), 0xdead, kDefaultTimeoutMs); }

}  // namespace uiauto
