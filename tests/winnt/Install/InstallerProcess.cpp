#include "InstallerProcess.h"

#include <gtest/gtest.h>

#include "KitPaths.h"
#include "Launch.h"
#include "Registry.h"
#include "WaitUntil.h"

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

kit::FileHandle InheritableFile(const std::string &path, DWORD access, DWORD disposition) {
    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
    return kit::FileHandle(CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable,
                                       disposition, 0, nullptr));
}

// The program's standard output and error go to files in the scratch folder,
// so a full pipe can never block it.
struct Redirection {
    explicit Redirection(const ScratchKit &kit)
        : outPath(kit.Folder() + "stdout.txt"), errPath(kit.Folder() + "stderr.txt"),
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

// What a person waits for before typing: the program has printed its
// question and printed nothing more for a moment (or it has ended).
void WaitForItsQuestion(HANDLE process, HANDLE output, DWORD patienceMs) {
    LARGE_INTEGER last = {};
    ULONGLONG stillSince = GetTickCount64();
    kit_test::WaitUntil(
        [&] {
            if (WaitForSingleObject(process, 0) == WAIT_OBJECT_0) return true;
            LARGE_INTEGER size = {};
            GetFileSizeEx(output, &size);
            if (size.QuadPart != last.QuadPart) {
                last = size;
                stillSince = GetTickCount64();
            }
            return size.QuadPart > 0 && GetTickCount64() - stillSince >= 150;
        },
        patienceMs);
}

Outcome Run(const ScratchKit &kit, const std::string &arguments, HANDLE input, DWORD startupMs,
            const std::vector<INPUT_RECORD> &keys, DWORD deadlineMs) {
    Redirection redirection(kit);
    STARTUPINFOA startup = {};
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input;
    startup.hStdOutput = redirection.out.get();
    startup.hStdError = redirection.err.get();
    const launch::Started started = launch::Start(kit.Folder() + "INSTALL.EXE", arguments, kit.Folder(), startup, true);
    if (!started.process) throw std::runtime_error("cannot start INSTALL.EXE: " + started.error);
    const HANDLE process = started.process.get();

    Outcome outcome;
    if (!keys.empty()) {
        // Let it reach its read first: keys typed early would do as well, but
        // this is what a person does.
        WaitForItsQuestion(process, redirection.out.get(), startupMs);
        DWORD written = 0;
        WriteConsoleInputA(input, keys.data(), static_cast<DWORD>(keys.size()), &written);
    }
    if (const std::optional<DWORD> code = launch::WaitForExit(process, deadlineMs)) {
        outcome.finished = true;
        outcome.exitCode = *code;
    } else {
        launch::Kill(process, 99, 5000);
    }
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

void ExpectCleanEnd(const Outcome &outcome) {
    EXPECT_TRUE(outcome.finished) << "still running at the deadline";
    EXPECT_EQ(0u, outcome.exitCode);
    EXPECT_EQ("", outcome.errors) << "nothing goes to standard error";
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
    const kit::FileHandle nul = InheritableFile("NUL", GENERIC_READ, OPEN_EXISTING);
    return Run(kit, arguments, nul.get(), 0, {}, deadlineMs);
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
    const kit::FileHandle input = InheritableFile("CONIN$", GENERIC_READ | GENERIC_WRITE, OPEN_EXISTING);
    FlushConsoleInputBuffer(input.get());
    return Run(kit, arguments, input.get(), 1500, keys, deadlineMs);
}

void PretendWindowsVersion(const std::string &version) {
    if (testreg::WriteString("Software\\Wine\\AppDefaults\\INSTALL.EXE", "Version", version, HKEY_CURRENT_USER) !=
        ERROR_SUCCESS)
        throw std::runtime_error("cannot write the AppDefaults key");
}

}  // namespace installtest
