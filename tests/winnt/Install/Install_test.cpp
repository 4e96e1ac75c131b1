// The install procedure end to end: what it writes and what it leaves.
#include <gtest/gtest.h>

#include "ExpectedText.h"
#include "InstallerProcess.h"
#include "MachineState.h"

#include <algorithm>
#include <fstream>

using namespace installtest;

namespace {

std::string InstallingLine(const ScratchKit &kit) {
    return "Installing 4 channel loadcell card driver from " + kit.Folder();
}

void ExpectServiceRegistered(DWORD state) {
    const std::optional<ServiceFacts> service = QueryMirvoService();
    ASSERT_TRUE(service) << "no service Mirvo";
    EXPECT_EQ(static_cast<DWORD>(SERVICE_KERNEL_DRIVER), service->type);
    EXPECT_EQ(static_cast<DWORD>(SERVICE_AUTO_START), service->start);
    EXPECT_EQ(static_cast<DWORD>(SERVICE_ERROR_NORMAL), service->errorControl);
    EXPECT_EQ("Qorim 4ch loadcell card", service->displayName);
    const std::string imagePath = DriversFolder() + "Mirvo.sys";
    EXPECT_EQ(0, lstrcmpiA(imagePath.c_str(), service->imagePath.c_str()))
        << "image path " << service->imagePath << ", expected " << imagePath;
    EXPECT_EQ(state, service->state);
}

void ExpectSourceRegistered() {
    const std::optional<RegistryValue> file = ReadMachineValue(kSourceKey, "EventMessageFile");
    ASSERT_TRUE(file) << "no EventMessageFile";
    EXPECT_EQ(static_cast<DWORD>(REG_EXPAND_SZ), file->type);
    const std::string expected = "%SystemRoot%\\System32\\IOLOGMSG.DLL";
    EXPECT_EQ(35u, file->data.size());
    EXPECT_EQ(Printable(std::vector<BYTE>(expected.c_str(), expected.c_str() + 35)), Printable(file->data));
    const std::optional<RegistryValue> types = ReadMachineValue(kSourceKey, "TypesSupported");
    ASSERT_TRUE(types) << "no TypesSupported";
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), types->type);
    EXPECT_EQ(Printable({7, 0, 0, 0}), Printable(types->data));
}

TEST(InstallerInstalls, FromTheKitStartsTheDriverAndRegistersTheSource) {
    ScratchKit kit;
    kit.AddKitFiles();
    const Outcome outcome = RunInstaller(kit, "-i -y");
    ExpectCleanEnd(outcome);
    EXPECT_EQ((Lines{InstallingLine(kit), "Driver installed and started ok", kInstallComplete}), outcome.Lines());
    EXPECT_EQ(FileBytes(kit.Folder() + "Mirvo.dll"), FileBytes(SystemFolder() + "Mirvo.dll"));
    EXPECT_EQ(FileBytes(kit.Folder() + "Mirvo.sys"), FileBytes(DriversFolder() + "Mirvo.sys"));
    ExpectServiceRegistered(SERVICE_RUNNING);
    EXPECT_EQ(Printable(MultiString({"Mirvo"})), Printable(SourceList()))
        << "a list of only its closing zero becomes the name and two zeros";
    ExpectSourceRegistered();
}

TEST(InstallerInstalls, WithoutTheFilesStillRegistersTheService) {
    ScratchKit kit;
    const Outcome outcome = RunInstaller(kit, "-i -y");
    ExpectCleanEnd(outcome);
    EXPECT_EQ(Lines{InstallingLine(kit)} + SystemTextLines(ERROR_FILE_NOT_FOUND) + SystemTextLines(ERROR_FILE_NOT_FOUND) +
                  Lines{"Non-fatal error: Could not start driver"},
              Head(outcome.Lines(), 6))
        << outcome.output;
    // Whatever the system says about the missing driver, the install goes on.
    ASSERT_GE(outcome.Lines().size(), 9u) << outcome.output;
    EXPECT_EQ("", outcome.Lines()[7]);
    EXPECT_EQ(kInstallComplete, outcome.Lines()[8]);
    EXPECT_EQ(9u, outcome.Lines().size()) << outcome.output;
    ExpectServiceRegistered(SERVICE_STOPPED);
    ExpectSourceRegistered();
}

TEST(InstallerInstalls, WithoutCopyingUsesTheFilesInPlace) {
    ScratchKit kit;
    kit.AddStandInFiles();
    ASSERT_TRUE(CopyFileA((kit.Folder() + "Mirvo.sys").c_str(), (DriversFolder() + "Mirvo.sys").c_str(), FALSE));
    DeleteFileA((kit.Folder() + "Mirvo.dll").c_str());
    const Outcome outcome = RunInstaller(kit, "-i -f -y");
    ExpectCleanEnd(outcome);
    EXPECT_EQ((Lines{"Driver installed and started ok", kInstallComplete}), outcome.Lines());
    EXPECT_FALSE(FileExists(SystemFolder() + "Mirvo.dll")) << "a file was copied";
    ExpectServiceRegistered(SERVICE_RUNNING);
}

TEST(InstallerInstalls, NoPauseWithoutAConsole) {
    ScratchKit kit;
    kit.AddStandInFiles();
    const Outcome outcome = RunInstaller(kit, "-i", 20000);
    ExpectCleanEnd(outcome);
    EXPECT_EQ((Lines{InstallingLine(kit), "Driver installed and started ok", kInstallComplete,
                     "Press any key to continue..."}),
              outcome.Lines());
}

TEST(InstallerInstalls, ASecondInstallCopiesAgainAndStopsAtTheExistingService) {
    ScratchKit kit;
    kit.AddStandInFiles();
    ASSERT_EQ(kInstallComplete, RunInstaller(kit, "-i -y").Lines().back());
    // The driver stopped, so its file can be overwritten, as with a driver
    // that does not lock its image.
    StopMirvo();
    ASSERT_TRUE(WaitForMirvoState(SERVICE_STOPPED));

    const std::vector<BYTE> sources = Bytes(std::string("Mirvo\0Eventlog\0\0", 16));
    SetSourceList(sources);
    WriteMachineValue(kSourceKey, "TypesSupported", REG_DWORD, {1, 0, 0, 0});
    std::ofstream(kit.Folder() + "Mirvo.dll", std::ios::binary) << "a newer library";

    const Outcome outcome = RunInstaller(kit, "-i -y");
    ExpectCleanEnd(outcome);
    EXPECT_EQ((Lines{InstallingLine(kit), "Could not install: Win32 Error.  Code: 1073.",
                     TrimmedSystemText(ERROR_SERVICE_EXISTS)}),
              outcome.Lines());
    EXPECT_EQ("a newer library", FileBytes(SystemFolder() + "Mirvo.dll")) << "not copied again";
    EXPECT_EQ(Printable(sources), Printable(SourceList())) << "the source list was touched";
    EXPECT_EQ(Printable({1, 0, 0, 0}), Printable(ReadMachineValue(kSourceKey, "TypesSupported")->data));
}

}  // namespace
