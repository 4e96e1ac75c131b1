// mirvocfg with the simulated card's driver service: a running service gets
// no start call, a stopped one is started quietly, and "Load config" restarts
// it and reads the card states back.
#include <gtest/gtest.h>

#include <windows.h>
#include <tlhelp32.h>

#include "UniqueHandle.h"

#include "ConfigProgram.h"
#include "SimCard.h"
#include "SimConfig.h"

using namespace cfgtest;

TEST(DriverStart, AlreadyRunningGetsNoStartCall) {
    ASSERT_EQ(simcard::InstallAndStartDriver(), "");
    ASSERT_EQ(ServiceState(), static_cast<DWORD>(SERVICE_RUNNING));
    ConfigProgram program;
    ASSERT_TRUE(program.WaitForWindow());
    // A start call on a running service fails, which would show the warning.
    ASSERT_TRUE(program.WaitIdle());
    EXPECT_FALSE(uiauto::WaitForMessageBox(program.id(), 1500)) << "no message at start";
    EXPECT_TRUE(uiauto::IsControlEnabled(program.window(), kLoadConfig));
    EXPECT_TRUE(uiauto::IsControlEnabled(program.window(), kFindCards));
    EXPECT_EQ(ServiceState(), static_cast<DWORD>(SERVICE_RUNNING));
    program.process().Kill();
}

TEST(DriverStart, StoppedAndStartableIsStartedQuietly) {
    ASSERT_EQ(simcard::InstallDriver(), "");
    ASSERT_EQ(ServiceState(), static_cast<DWORD>(SERVICE_STOPPED));
    ConfigProgram program;
    ASSERT_TRUE(program.WaitForWindow());
    ASSERT_TRUE(program.WaitIdle());
    EXPECT_FALSE(uiauto::WaitForMessageBox(program.id(), 1500)) << "no message at start";
    EXPECT_TRUE(uiauto::WaitUntil([] { return ServiceState() == SERVICE_RUNNING; }))
        << "state " << ServiceState();
    EXPECT_TRUE(uiauto::IsControlEnabled(program.window(), kLoadConfig));
    EXPECT_TRUE(uiauto::IsControlEnabled(program.window(), kFindCards));
    program.process().Kill();
}

TEST(CardListRunning, StatesAreReadWhileTheDriverRuns) {
    ASSERT_EQ(simcard::InstallAndStartDriver(), "");
    // Written after the driver started, so these are the states it shows.
    WriteCard(1, 0x3A0, 1);
    WriteCard(2, 0x3B0, 2);
    WriteCard(3, 0x3C0, 3);
    WriteCard(4, 0x3D0, 4);
    WriteCard(5, 0x3E0, 5);
    WriteCard(6, 0x3F0, 0);
    WriteCard(7);
    ConfigProgram program;
    ASSERT_TRUE(program.WaitForWindow());
    ASSERT_TRUE(program.WaitIdle());
    std::vector<std::string> lines = program.Lines();
    ASSERT_EQ(lines.size(), 32u);
    EXPECT_EQ(lines[1], UsedLine(1, 0x3A0, "OK"));
    EXPECT_EQ(lines[2], UsedLine(2, 0x3B0, "Resource conflict"));
    EXPECT_EQ(lines[3], UsedLine(3, 0x3C0, "Card not found"));
    EXPECT_EQ(lines[4], UsedLine(4, 0x3D0, "New card"));
    EXPECT_EQ(lines[5], UsedLine(5, 0x3E0, "Unknown"));
    EXPECT_EQ(lines[6], UsedLine(6, 0x3F0, "Unknown"));
    EXPECT_EQ(lines[7], UsedLine(7, 0, "Unknown"));
    EXPECT_EQ(lines[8], FreeLine(8));
    program.process().Kill();
}

TEST(LoadConfig, RestartsTheDriverAndReadsTheStateBack) {
    ASSERT_EQ(simcard::InstallAndStartDriver(), "");
    SetConfigState(0);
    ConfigProgram program;
    ASSERT_TRUE(program.WaitForWindow());
    ASSERT_TRUE(program.WaitIdle());
    ASSERT_EQ(program.Status(), kNotLoaded);
    ASSERT_TRUE(program.Select(5));

    ASSERT_TRUE(program.Press(kLoadConfig));
    // The driver writes 1 when it starts.
    ASSERT_TRUE(uiauto::WaitForControlText(program.window(), kStatus, kLoaded, 15000))
        << program.Status();
    EXPECT_FALSE(uiauto::HasMessageBox(program.id())) << "no warning after the restart";
    EXPECT_EQ(ConfigState(), std::optional<DWORD>(1));
    EXPECT_EQ(ServiceState(), static_cast<DWORD>(SERVICE_RUNNING));
    EXPECT_EQ(program.Lines().size(), 32u);
    EXPECT_EQ(program.Selection(), 0) << "the list is rebuilt";
    EXPECT_EQ(program.Exit(), std::optional<DWORD>(0)) << "loaded: no question";
}

TEST(LoadConfig, DriverThatRefusesToStopGetsNoStartCall) {
    RefuseStop();
    ASSERT_EQ(simcard::InstallAndStartDriver(), "");
    SetConfigState(0);
    WriteCard(4, 0x340, 1);  // after the driver's start: the state it shows
    ConfigProgram program;
    ASSERT_TRUE(program.WaitForWindow());
    ASSERT_TRUE(program.WaitIdle());
    ASSERT_EQ(program.Lines()[4], UsedLine(4, 0x340, "OK"));
    ASSERT_TRUE(program.Select(7));
    SetConfigState(1);
    WriteValue(CardKeyPath(4), "ConfigState", 2);

    ASSERT_TRUE(program.Press(kLoadConfig));
    // A start call on the running service would fail and show the warning.
    ASSERT_TRUE(uiauto::WaitForControlText(program.window(), kStatus, kLoaded)) << program.Status();
    EXPECT_FALSE(uiauto::WaitForMessageBox(program.id(), 1500)) << "no warning";
    EXPECT_EQ(ServiceState(), static_cast<DWORD>(SERVICE_RUNNING));
    EXPECT_EQ(program.Lines()[4], UsedLine(4, 0x340, "Resource conflict")) << "the list is read again";
    EXPECT_EQ(program.Selection(), 0);
    EXPECT_TRUE(uiauto::IsControlEnabled(program.window(), kLoadConfig));
}

TEST(LoadConfig, DriverThatFailsToStartDisablesTheDriverCommands) {
    ASSERT_EQ(simcard::InstallAndStartDriver(), "");
    WriteCard(4, 0x340, 1);
    ConfigProgram program;
    ASSERT_TRUE(program.WaitForWindow());
    ASSERT_TRUE(program.WaitIdle());
    FailStart();

    ASSERT_TRUE(program.Press(kLoadConfig));
    uiauto::MessageBoxInfo box = program.WaitForBox(10000);
    ASSERT_TRUE(box) << "no warning";
    EXPECT_EQ(box.caption, "Moderately severe error");
    EXPECT_EQ(program.Status(), "Restarting driver. Please wait...") << "shown during the restart";
    ASSERT_TRUE(uiauto::AnswerMessageBox(box.window, IDOK));
    ASSERT_TRUE(program.WaitIdle());
    EXPECT_FALSE(uiauto::IsControlEnabled(program.window(), kLoadConfig));
    EXPECT_FALSE(uiauto::IsControlEnabled(program.window(), kFindCards));
    EXPECT_EQ(program.Lines()[4], UsedLine(4, 0x340, "Unknown")) << "no states without the driver";
}

namespace {

// Ends the prefix's Service Control Manager, so that the program's next call
// on its service handles fails. False when it was not found.
bool EndServiceControlManager() {
    kit::FileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot.get(), &entry); more; more = Process32Next(snapshot.get(), &entry)) {
        if (_stricmp(entry.szExeFile, "services.exe") != 0) continue;
        kit::KernelHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID));
        if (!process || !TerminateProcess(process.get(), 1)) return false;
        return WaitForSingleObject(process.get(), 5000) == WAIT_OBJECT_0;
    }
    return false;
}

}  // namespace

// A SystemError inside a command ends the message loop at once: a command
// queued behind it never runs, and the "Application Error" box ends the run.
TEST(LoadConfig, ASystemErrorEndsTheProgramBeforeAQueuedCommand) {
    ASSERT_EQ(CreateUnstartableService(), "");
    SetConfigState(1);
    WriteCard(4, 0x340);
    ConfigProgram program;
    ASSERT_TRUE(program.StartPastDriverWarning());
    ASSERT_TRUE(program.Select(4));
    ASSERT_TRUE(EndServiceControlManager()) << "services.exe not ended";

    // Load config is disabled after the warning; the commands come as the
    // buttons would send them, both queued before the first runs.
    PostMessageA(program.window(), WM_COMMAND, MAKEWPARAM(kLoadConfig, BN_CLICKED), 0);
    PostMessageA(program.window(), WM_COMMAND, MAKEWPARAM(kDeleteCard, BN_CLICKED), 0);
    uiauto::MessageBoxInfo box = program.WaitForBox(10000);
    ASSERT_TRUE(box) << "no error box; status \"" << program.Status() << "\", running "
                     << program.process().Running() << ", exit " << program.process().WaitForExit(0).value_or(12345) << ", card 4 " << CardExists(4);
    EXPECT_EQ(box.caption, "Application Error");
    EXPECT_NE(box.text.find("Win32 Error.  Code: "), std::string::npos) << box.text;
    EXPECT_TRUE(CardExists(4)) << "the queued Delete card ran";
    ASSERT_TRUE(uiauto::AnswerMessageBox(box.window, IDOK));
    EXPECT_EQ(program.process().WaitForExit(10000), std::optional<DWORD>(0));
    EXPECT_TRUE(CardExists(4)) << "the queued Delete card ran";
    EXPECT_EQ(ConfigState(), std::optional<DWORD>(1));
}

// No Service Control Manager at start-up: the "Application Error" box with
// the system's code, no window, and a clean end.
TEST(DriverStart, NoServiceControlManagerIsAnApplicationError) {
    ASSERT_EQ(CreateUnstartableService(), "");
    ASSERT_TRUE(EndServiceControlManager()) << "services.exe not ended";
    ConfigProgram program;
    uiauto::MessageBoxInfo box = program.WaitForBox(10000);
    ASSERT_TRUE(box) << "no error box";
    EXPECT_EQ(box.caption, "Application Error");
    EXPECT_NE(box.text.find("Win32 Error.  Code: "), std::string::npos) << box.text;
    EXPECT_NE(box.text.find("mirvocfg.exe"), std::string::npos) << box.text;
    EXPECT_EQ(box.owner, nullptr) << "the box has no owner";
    EXPECT_EQ(uiauto::FindTopWindow(program.id(), "MIRVOCFG", nullptr), nullptr) << "the window came";
    ASSERT_TRUE(uiauto::AnswerMessageBox(box.window, IDOK));
    EXPECT_EQ(program.process().WaitForExit(10000), std::optional<DWORD>(0));
}
