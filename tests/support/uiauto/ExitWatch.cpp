// Process::StartWatchingExit: a small debugger that stops the program at
// ExitProcess, lets the test look at it, and lets it end.
#include "UiAuto.h"

#include <atomic>
#include <future>
#include <thread>

namespace uiauto {

struct Process::Debugger {
    std::thread thread;
    std::atomic<bool> stop{false};

    ~Debugger() {
        stop = true;
        if (thread.joinable()) thread.join();
    }
};

namespace {

constexpr BYTE kBreakpoint = 0xCC;

struct Launch {
    kit::KernelHandle process;  // a duplicate for the Process object
    DWORD id = 0;
    std::string error;
};

// The breakpoint at ExitProcess; kernel32 and ntdll lie at the same address
// in every process, so our own ExitProcess is theirs.
class ExitBreakpoint {
public:
    ExitBreakpoint()
        : address_(reinterpret_cast<BYTE *>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "ExitProcess"))) {}

    // Tries to place it (the module may not be mapped yet); true once placed.
    bool Place(HANDLE process) {
        if (placed_ || !address_) return placed_;
        if (!ReadProcessMemory(process, address_, &original_, 1, nullptr)) return false;
        placed_ = WriteProcessMemory(process, address_, &kBreakpoint, 1, nullptr) &&
                  FlushInstructionCache(process, address_, 1);
        return placed_;
    }

    bool IsAt(const void *address) const { return placed_ && address == address_; }

    // Puts the original byte back and the thread's instruction pointer on it,
    // after reading the exit code argument.
    DWORD Remove(HANDLE process, DWORD threadId) {
        DWORD exitCode = 0;
        const kit::KernelHandle thread(OpenThread(THREAD_GET_CONTEXT | THREAD_SET_CONTEXT, FALSE, threadId));
        CONTEXT context = {};
        context.ContextFlags = CONTEXT_CONTROL | CONTEXT_INTEGER;
        if (thread && GetThreadContext(thread.get(), &context)) {
#ifdef _WIN64
            exitCode = static_cast<DWORD>(context.Rcx);
            context.Rip = reinterpret_cast<DWORD64>(address_);
#else
            ReadProcessMemory(process, reinterpret_cast<void *>(context.Esp + 4), &exitCode, sizeof exitCode, nullptr);
            context.Eip = reinterpret_cast<DWORD>(address_);
#endif
            WriteProcessMemory(process, address_, &original_, 1, nullptr);
            FlushInstructionCache(process, address_, 1);
            SetThreadContext(thread.get(), &context);
        }
        placed_ = false;
        return exitCode;
    }

private:
    BYTE *address_;
    BYTE original_ = 0;
    bool placed_ = false;
};

void RunDebugger(std::string commandLine, std::string program, std::string workingDir, int showCommand,
                 Process::ExitHook atExit, std::promise<Launch> started, const std::atomic<bool> &stop) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showCommand);
    PROCESS_INFORMATION info = {};
    Launch result;
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, DEBUG_ONLY_THIS_PROCESS,
                        nullptr, workingDir.empty() ? nullptr : workingDir.c_str(), &startup, &info)) {
        result.error = "CreateProcess(" + commandLine + ") under the debugger failed, error " +
                       std::to_string(GetLastError());
        started.set_value(std::move(result));
        return;
    }
    const kit::KernelHandle thread(info.hThread), process(info.hProcess);
    DuplicateHandle(GetCurrentProcess(), info.hProcess, GetCurrentProcess(), result.process.receive(), 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
    result.id = info.dwProcessId;
    started.set_value(std::move(result));

    ExitBreakpoint breakpoint;
    bool ended = false;
    while (!ended) {
        DEBUG_EVENT event;
        if (!WaitForDebugEvent(&event, 100)) {
            if (stop) break;
            continue;
        }
        DWORD continueStatus = DBG_CONTINUE;
        switch (event.dwDebugEventCode) {
        case CREATE_PROCESS_DEBUG_EVENT:
            kit::KernelHandle(event.u.CreateProcessInfo.hFile).reset();  // the image file: not wanted
            breakpoint.Place(info.hProcess);
            break;
        case LOAD_DLL_DEBUG_EVENT:
            kit::KernelHandle(event.u.LoadDll.hFile).reset();
            breakpoint.Place(info.hProcess);
            break;
        case EXCEPTION_DEBUG_EVENT: {
            const EXCEPTION_RECORD &record = event.u.Exception.ExceptionRecord;
            if (record.ExceptionCode != EXCEPTION_BREAKPOINT) {
                continueStatus = DBG_EXCEPTION_NOT_HANDLED;
            } else if (breakpoint.IsAt(record.ExceptionAddress)) {
                const DWORD exitCode = breakpoint.Remove(info.hProcess, event.dwThreadId);
                if (atExit) atExit(info.hProcess, exitCode);
            } else {
                breakpoint.Place(info.hProcess);  // the loader's breakpoint: everything is mapped
            }
            break;
        }
        case EXIT_PROCESS_DEBUG_EVENT:
            ended = true;
            break;
        default:
            break;
        }
        ContinueDebugEvent(event.dwProcessId, event.dwThreadId, continueStatus);
    }
    if (!ended) TerminateProcess(info.hProcess, 0xdead);  // the debugger's end would kill it anyway
}

}  // namespace

Process Process::StartWatchingExit(const std::string &program, const std::string &arguments,
                                   const std::string &workingDir, int showCommand, ExitHook atExit) {
    std::string commandLine = "\"" + program + "\"";
    if (!arguments.empty()) commandLine += " " + arguments;

    Process process;
    process.debugger_ = std::make_shared<Debugger>();
    std::promise<Launch> promise;
    std::future<Launch> future = promise.get_future();
    // Debug events go to the thread that started the program.
    process.debugger_->thread = std::thread(RunDebugger, commandLine, program, workingDir, showCommand,
                                            std::move(atExit), std::move(promise),
                                            std::cref(process.debugger_->stop));
    Launch launched = future.get();
    process.handle_ = std::move(launched.process);
    process.id_ = launched.id;
    process.error_ = launched.error;
    if (!process.handle_) process.debugger_.reset();
    return process;
}

kit::KernelHandle CopyProgramHandle(HANDLE process, HANDLE value) {
    kit::KernelHandle copy;
    DuplicateHandle(process, value, GetCurrentProcess(), copy.receive(), 0, FALSE, DUPLICATE_SAME_ACCESS);
    return copy;
}

bool ProgramHandleRefersTo(HANDLE process, HANDLE value, HANDLE copy) {
    // Newer than kernel32's exports under Wine: found at run time.
    using Compare = BOOL(WINAPI *)(HANDLE, HANDLE);
    static const auto compare = reinterpret_cast<Compare>(
        reinterpret_cast<void *>(GetProcAddress(GetModuleHandleA("kernelbase.dll"), "CompareObjectHandles")));
    const kit::KernelHandle now = CopyProgramHandle(process, value);
    if (!now) return false;
    return compare ? compare(now.get(), copy) != FALSE : true;
}

}  // namespace uiauto
