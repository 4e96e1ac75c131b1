// The sessions of the programmer's reference (REFERENCE.TXT in a kit's zip),
// run as its reader would: the simulated card installed from the unpacked
// kit's simcard folder, card slot 0 configured and loaded, then each
// session's commands started in the kit's folder, one after the other, what
// each printed (standard output and error) compared with the lines the
// reference shows under it. Every session starts from the default card.
// run-examples.sh unpacks the zip, builds the reference's examples into the
// kit's folder and passes KIT_REFERENCE_KIT (that folder) and
// KIT_REFERENCE_SESSIONS (a folder of the sessions, one file each, named by
// their first line in the reference).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

#include "Launch.h"
#include "SimCard.h"
#include "UniqueHandle.h"

namespace {

const char kPrompt[] = "C:\\MirvoKit> ";
// testcard starts some twenty programs: on a loaded machine, half a minute.
constexpr DWORD kCommandMs = 120000;

struct Command {
    std::string line;      // after the prompt
    std::string expected;  // what it prints, lines ending in "\n"
};

struct Session {
    std::string name;  // "line00412": its first line in the reference
    std::vector<Command> commands;
};

void PrintTo(const Session &session, std::ostream *out) { *out << session.name; }

std::string Environment(const char *name) {
    const char *value = std::getenv(name);
    return value ? value : "";
}

std::string WholeFile(const std::string &path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

std::string WithoutCarriageReturns(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return text;
}

// A line from the prompt on is a command; the lines up to the next one
// are what it prints. Lines before the first command are a fault.
Session ParseSession(const std::string &name, const std::string &text) {
    Session session{name, {}};
    std::string::size_type start = 0;
    while (start < text.size()) {
        std::string::size_type end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        if (line.compare(0, sizeof kPrompt - 1, kPrompt) == 0)
            session.commands.push_back({line.substr(sizeof kPrompt - 1), ""});
        else if (session.commands.empty())
            session.commands.push_back({"", "<a line before the first command: " + line + ">"});
        else
            session.commands.back().expected += line + "\n";
    }
    return session;
}

std::vector<Session> LoadSessions() {
    const std::string folder = Environment("KIT_REFERENCE_SESSIONS");
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((folder + "\\*.txt").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do names.push_back(found.cFileName);
        while (FindNextFileA(search, &found));
        FindClose(search);
    }
    std::sort(names.begin(), names.end());  // the reference's order
    std::vector<Session> sessions;
    for (const std::string &name : names)
        sessions.push_back(ParseSession(name.substr(0, name.find('.')), WholeFile(folder + "\\" + name)));
    return sessions;
}

kit::FileHandle InheritableFile(const std::string &path, DWORD access, DWORD disposition) {
    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
    return kit::FileHandle(CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable,
                                       disposition, 0, nullptr));
}

// Runs a command line of a session in the kit's folder, as the command
// prompt would: its first word a program there ("simcard\kvtsim" is
// simcard\kvtsim.exe). Both of its outputs go to one file, as both go to
// one console; what it printed, without carriage returns.
std::string RunInKit(const std::string &kit, const std::string &line) {
    const std::string::size_type space = line.find(' ');
    std::string program = kit + "\\" + line.substr(0, space);
    if (program.find('.', kit.size()) == std::string::npos) program += ".exe";
    const std::string arguments = space == std::string::npos ? "" : line.substr(space + 1);

    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string outputPath = std::string(temp) + "reference-session-output.txt";
    std::string output;
    {
        const kit::FileHandle file = InheritableFile(outputPath, GENERIC_WRITE, CREATE_ALWAYS);
        const kit::FileHandle nul = InheritableFile("NUL", GENERIC_READ, OPEN_EXISTING);
        if (!file || !nul) return "<cannot make the output file " + outputPath + ">";
        STARTUPINFOA startup = {};
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = nul.get();
        startup.hStdOutput = file.get();
        startup.hStdError = file.get();
        const launch::Started started = launch::Start(program, arguments, kit, startup, true);
        if (!started.process) return "<" + started.error + ">";
        if (!launch::WaitForExit(started.process.get(), kCommandMs)) {
            launch::Kill(started.process.get(), 99, 5000);
            output = "<still running after " + std::to_string(kCommandMs / 1000) + " s>\n";
        }
    }
    output = WithoutCarriageReturns(WholeFile(outputPath)) + output;
    DeleteFileA(outputPath.c_str());
    return output;
}

class ReferenceSession : public ::testing::TestWithParam<Session> {
protected:
    // Once for all sessions, as the reference tells its reader to.
    static void SetUpTestSuite() {
        installFailure_ = kit_.empty() ? "run by run-examples.sh, which sets KIT_REFERENCE_KIT"
                                       : simcard::RunInstaller(kit_ + "\\simcard", "-i -y");
        if (installFailure_.empty()) installFailure_ = simcard::ConfigureFirstCardAndReload();
    }
    void SetUp() override { simcard::ClearScript(); }
    void TearDown() override { simcard::ClearScript(); }

    static const std::string kit_;
    static std::string installFailure_;
};

const std::string ReferenceSession::kit_ = Environment("KIT_REFERENCE_KIT");
std::string ReferenceSession::installFailure_;

TEST_P(ReferenceSession, PrintsWhatTheReferenceShows) {
    ASSERT_EQ("", installFailure_) << "installing the simulated card from " << kit_ << "\\simcard";
    const Session &session = GetParam();
    ASSERT_FALSE(session.commands.empty()) << "a session without a command";
    for (const Command &command : session.commands) {
        EXPECT_EQ(command.expected, RunInKit(kit_, command.line))
            << "the session at line " << std::atoi(session.name.c_str() + 4) << " of REFERENCE.TXT: " << kPrompt
            << command.line;
    }
}

// No session at all fails the run too (an instantiation without values).
INSTANTIATE_TEST_SUITE_P(Reference, ReferenceSession, ::testing::ValuesIn(LoadSessions()),
                         [](const ::testing::TestParamInfo<Session> &info) { return info.param.name; });

}  // namespace
