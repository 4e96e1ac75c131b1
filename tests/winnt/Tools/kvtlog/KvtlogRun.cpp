#include "KvtlogRun.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "KitPaths.h"
#include "Launch.h"
#include "UniqueHandle.h"

namespace kvtlogtest {

namespace {

kit::FileHandle InheritableFile(const std::string &path, DWORD access, DWORD disposition) {
    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
    return kit::FileHandle(CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable,
                                       disposition, 0, nullptr));
}

// Standard output and error go to files in the scratch folder, so a full
// pipe can never block the program.
struct Redirection {
    explicit Redirection(const Scratch &scratch)
        : outPath(scratch.Path("stdout.txt")), errPath(scratch.Path("stderr.txt")),
          out(InheritableFile(outPath, GENERIC_WRITE, CREATE_ALWAYS)),
          err(InheritableFile(errPath, GENERIC_WRITE, CREATE_ALWAYS)) {}
    void Collect(Outcome &outcome) {
        out.reset();
        err.reset();
        outcome.output = ReadWholeFile(outPath);
        outcome.errors = ReadWholeFile(errPath);
    }
    std::string outPath, errPath;
    kit::FileHandle out, err;
};

Outcome Finish(const launch::Started &started, Redirection &redirection, DWORD deadlineMs) {
    Outcome outcome;
    if (const std::optional<DWORD> code = launch::WaitForExit(started.process.get(), deadlineMs)) {
        outcome.finished = true;
        outcome.exitCode = *code;
    } else {
        launch::Kill(started.process.get(), 99, 5000);
    }
    redirection.Collect(outcome);
    return outcome;
}

}  // namespace

Scratch::Scratch() {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    char folder[MAX_PATH];
    std::snprintf(folder, sizeof folder, "%skvtlog-%lu-%lu\\", temp, GetCurrentProcessId(), GetTickCount());
    folder_ = folder;
    CreateDirectoryA(folder_.c_str(), nullptr);
}

Scratch::~Scratch() {
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((folder_ + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileA((folder_ + found.cFileName).c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder_.c_str());
}

Outcome RunKvtlog(const Scratch &scratch, const std::string &arguments, DWORD deadlineMs, const std::string &program) {
    Redirection redirection(scratch);
    const kit::FileHandle nul = InheritableFile("NUL", GENERIC_READ, OPEN_EXISTING);
    STARTUPINFOA startup = {};
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nul.get();
    startup.hStdOutput = redirection.out.get();
    startup.hStdError = redirection.err.get();
    const launch::Started started = launch::Start(kit::KitPath(program), arguments, scratch.Folder(), startup, true);
    if (!started.process) throw std::runtime_error("cannot start kvtlog.exe: " + started.error);
    return Finish(started, redirection, deadlineMs);
}

Outcome RunKvtlogAndStop(const Scratch &scratch, const std::string &arguments, DWORD event,
                   const std::function<bool()> &ready, DWORD readyMs, DWORD deadlineMs) {
    // A console of our own, shared with the program: the control events go
    // through it. The test itself ignores them.
    FreeConsole();
    if (!AllocConsole()) throw std::runtime_error("cannot make a console: error " + std::to_string(GetLastError()));
    SetConsoleCtrlHandler(nullptr, TRUE);
    Redirection redirection(scratch);
    const kit::FileHandle input = InheritableFile("CONIN$", GENERIC_READ | GENERIC_WRITE, OPEN_EXISTING);
    STARTUPINFOA startup = {};
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input.get();
    startup.hStdOutput = redirection.out.get();
    startup.hStdError = redirection.err.get();
    const launch::Started started = launch::Start(kit::KitPath("kvtlog.exe"), arguments, scratch.Folder(), startup,
                                                  true, CREATE_NEW_PROCESS_GROUP);
    if (!started.process) throw std::runtime_error("cannot start kvtlog.exe: " + started.error);
    const DWORD begin = GetTickCount();
    while (!ready() && GetTickCount() - begin < readyMs &&
           WaitForSingleObject(started.process.get(), 20) == WAIT_TIMEOUT) {
    }
    // Ended before the event (a failure): what it said shows in the test.
    if (WaitForSingleObject(started.process.get(), 0) == WAIT_OBJECT_0) return Finish(started, redirection, 0);
    // Ctrl+C goes through the console. Ctrl+Break is delivered the way the
    // system delivers every control event: a thread of the program's own at
    // the system's CtrlRoutine, given the event (kernelbase sits at the same
    // address in every process of the prefix). Wine cannot be asked for it:
    // Wine 8 refuses it ("should support the other events"), and Wine 10
    // ends the program (exit code 1) without running its handler.
    const bool delivered = event == CTRL_C_EVENT && GenerateConsoleCtrlEvent(event, started.id);
    if (!delivered) {
        HMODULE kernelbase = GetModuleHandleA("kernelbase.dll");
        FARPROC routine = kernelbase ? GetProcAddress(kernelbase, "CtrlRoutine") : nullptr;
        HANDLE thread = routine ? CreateRemoteThread(started.process.get(), nullptr, 0,
                                                     reinterpret_cast<LPTHREAD_START_ROUTINE>(reinterpret_cast<void *>(routine)),
                                                     reinterpret_cast<LPVOID>(static_cast<ULONG_PTR>(event)), 0, nullptr)
                                : nullptr;
        if (!thread)
            throw std::runtime_error("no thread at CtrlRoutine for control event " + std::to_string(event) +
                                     ": error " + std::to_string(GetLastError()));
        CloseHandle(thread);
    }
    return Finish(started, redirection, deadlineMs);
}

std::string ReadWholeFile(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool FileExists(const std::string &path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::vector<std::string> CrLfLines(const std::string &text) {
    std::vector<std::string> lines;
    std::string::size_type start = 0;
    for (;;) {
        const std::string::size_type end = text.find("\r\n", start);
        if (end == std::string::npos) break;
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    if (start < text.size()) lines.push_back(text.substr(start) + "<no CR LF at the end>");
    return lines;
}

CsvLine ParseCsvLine(const std::string &line) {
    CsvLine parsed;
    const std::string::size_type comma = line.find(',');
    if (comma == std::string::npos) return parsed;
    const std::string time = line.substr(0, comma);
    parsed.weights = line.substr(comma + 1);
    int commas = 0;
    for (char c : parsed.weights) commas += c == ',';
    const std::string::size_type point = time.find('.');
    if (commas != 3 || point == std::string::npos || point == 0 || time.size() - point - 1 != 6) return parsed;
    for (std::string::size_type i = 0; i < time.size(); ++i)
        if (i != point && (time[i] < '0' || time[i] > '9')) return parsed;
    parsed.seconds = std::strtod(time.c_str(), nullptr);
    parsed.valid = true;
    return parsed;
}

}  // namespace kvtlogtest
