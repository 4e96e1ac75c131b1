#include "InstallerProcess.h"

#include "KitPaths.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace installtest {

namespace {

std::string TempFolder() {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    char folder[MAX_PATH];
    std::snprintf(folder, sizeof folder, "%sinstall-kit-%lu-%lu\\", temp, GetCurrentProcessId(), GetTickCount());
    return folder;
}

void CopyOrThrow(const std::string &from, const std::string &to) {
    if (!CopyFileA(from.c_str(), to.c_str(), FALSE))
        throw std::runtime_error("cannot copy " + from + " to " + to + ": error " + std::to_string(GetLastError()));
}

std::string ReadWholeFile(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

HANDLE InheritableFile(const std::string &path, DWORD access, DWORD disposition) {
    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
    return CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable, disposition, 0,
                       nullptr);
}

// The program's standard output and error go to files in the scratch folder,
// so a full pipe can never block it.
struct Redirection {
    explicit Redirection(const ScratchKit &kit)
        : outPath(kit.Folder() + "stdout.txt"), errPath(kit.Folder() + "stderr.txt"),
          out(InheritableFile(outPath, GENERIC_WRITE, CREATE_ALWAYS)),
          err(InheritableFile(errPath, GENERIC_WRITE, CREATE_ALWAYS)) {}
    ~Redirection() {
        CloseHandle(out);
        CloseHandle(err);
    }
    void Collect(Outcome &outcome) {
        CloseHandle(out);
        CloseHandle(err);
        out = err = INVALID_HANDLE_VALUE;
        outcome.output = ReadWholeFile(outPath);
        outcome.errors = ReadWholeFile(errPath);
    }
    std::string outPath, errPath;
    HANDLE out, err;
};

Outcome Run(const ScratchKit &kit, const std::string &arguments, HANDLE input, DWORD startupMs,
            const std::vector<INPUT_RECORD> &keys, DWORD deadlineMs) {
    Redirection redirection(kit);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input;
    startup.hStdOutput = redirection.out;
    startup.hStdError = redirection.err;
    std::string commandLine = "\"" + kit.Folder() + "INSTALL.EXE\" " + arguments;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, kit.Folder().c_str(), &startup,
                        &process))
        throw std::runtime_error("cannot start INSTALL.EXE: error " + std::to_string(GetLastError()));
    CloseHandle(process.hThread);

    Outcome outcome;
    if (!keys.empty()) {
        // Let it reach its read first: keys typed early would do as well, but
        // this is what a person does.
        WaitForSingleObject(process.hProcess, startupMs);
        DWORD written = 0;
        WriteConsoleInputA(input, keys.data(), static_cast<DWORD>(keys.size()), &written);
    }
    if (WaitForSingleObject(process.hProcess, deadlineMs) == WAIT_OBJECT_0) {
        outcome.finished = true;
        GetExitCodeProcess(process.hProcess, &outcome.exitCode);
    } else {
        TerminateProcess(process.hProcess, 99);
        WaitForSingleObject(process.hProcess, 5000);
    }
    CloseHandle(process.hProcess);
    redirection.Collect(outcome);
    return outcome;
}

}  // namespace

ScratchKit::ScratchKit() : folder_(TempFolder()) {
    CreateDirectoryA(folder_.c_str(), nullptr);
    CopyOrThrow(kit::KitPath("INSTALL.EXE"), folder_ + "INSTALL.EXE");
}

ScratchKit::~ScratchKit() {
    for (const char *name : {"INSTALL.EXE", "Mirvo.dll", "Mirvo.sys", "stdout.txt", "stderr.txt"})
        DeleteFileA((folder_ + name).c_str());
    RemoveDirectoryA(folder_.c_str());
}

void ScratchKit::AddFile(const std::string &name, const std::string &from) { CopyOrThrow(from, folder_ + name); }

void ScratchKit::AddKitFiles() {
    AddFile("Mirvo.dll", kit::KitPath("Mirvo.dll"));
    AddFile("Mirvo.sys", kit::KitPath("Mirvo.sys"));
}

void ScratchKit::AddStandInFiles() {
    AddFile("Mirvo.sys", kit::WindowsPathFromHost(INSTALL_STANDIN_DRIVER_HOST));
    std::ofstream(folder_ + "Mirvo.dll", std::ios::binary) << "stand-in library";
}

std::vector<std::string> Outcome::Lines() const {
    std::vector<std::string> lines;
    std::string::size_type start = 0;
    for (;;) {
        const std::string::size_type end = output.find("\r\n", start);
        if (end == std::string::npos) break;
        lines.push_back(output.substr(start, end - start));
        start = end + 2;
    }
    if (start < output.size()) lines.push_back(output.substr(start) + "<no CR LF at the end>");
    return lines;
}

Outcome RunInstaller(const ScratchKit &kit, const std::string &arguments, DWORD deadlineMs) {
    HANDLE nul = InheritableFile("NUL", GENERIC_READ, OPEN_EXISTING);
    Outcome outcome = Run(kit, arguments, nul, 0, {}, deadlineMs);
    CloseHandle(nul);
    return outcome;
}

INPUT_RECORD KeyEvent(WORD virtualKey, char character, bool down) {
    INPUT_RECORD record = {};
    record.EventType = KEY_EVENT;
    record.Event.KeyEvent.bKeyDown = down;
    record.Event.KeyEvent.wRepeatCount = 1;
    record.Event.KeyEvent.wVirtualKeyCode = virtualKey;
    record.Event.KeyEvent.uChar.AsciiChar = character;
    return record;
}

std::vector<INPUT_RECORD> KeyPress(WORD virtualKey, char character) {
    return {KeyEvent(virtualKey, character, true), KeyEvent(virtualKey, character, false)};
}

Outcome RunInstallerWithKeys(const ScratchKit &kit, const std::string &arguments,
                             const std::vector<INPUT_RECORD> &keys, DWORD deadlineMs) {
    // A console of our own, which the program shares; its input is where a
    // keyboard's presses arrive.
    FreeConsole();
    if (!AllocConsole()) throw std::runtime_error("cannot make a console: error " + std::to_string(GetLastError()));
    HANDLE input = InheritableFile("CONIN$", GENERIC_READ | GENERIC_WRITE, OPEN_EXISTING);
    FlushConsoleInputBuffer(input);
    Outcome outcome = Run(kit, arguments, input, 1500, keys, deadlineMs);
    CloseHandle(input);
    return outcome;
}

void PretendWindowsVersion(const std::string &version) {
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\INSTALL.EXE", 0, nullptr, 0, KEY_ALL_ACCESS,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        throw std::runtime_error("cannot make the AppDefaults key");
    RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE *>(version.c_str()),
                   static_cast<DWORD>(version.size() + 1));
    RegCloseKey(key);
}

}  // namespace installtest
