// The uninstall procedure end to end, without a console (see Keys_test for
// the question answered at one).
#include <gtest/gtest.h>

#include "ExpectedText.h"
#include "InstallerProcess.h"
#include "KitPaths.h"
#include "MachineState.h"
#include "UniqueHandle.h"
#include "ServiceManager.h"

#include <fstream>

using namespace installtest;

namespace {

void Install(ScratchKit &kit) {
    const Outcome outcome = RunInstaller(kit, "-i -y");
    ASSERT_FALSE(outcome.Lines().empty());
    ASSERT_EQ(kInstallComplete, outcome.Lines().back()) << outcome.output;
}

void ExpectNothingLeft() {
    EXPECT_FALSE(FileExists(SystemFolder() + "Mirvo.dll"));
    EXPECT_FALSE(FileExists(DriversFolder() + "Mirvo.sys"));
    EXPECT_FALSE(QueryMirvoService()) << "the service is still there";
    EXPECT_FALSE(MachineKeyExists(kSourceKey));
    EXPECT_EQ(Printable(MultiString({})), Printable(SourceList()));
}

TEST(InstallerUninstalls, WithoutAConsoleTheQuestionCountsAsDeclined) {
    ScratchKit kit;
    kit.AddStandInFiles();
    Install(kit);
    const Outcome outcome = RunInstaller(kit, "-x");
    ExpectCleanEnd(outcome);
    EXPECT_EQ(kQuestion, outcome.Lines());
    EXPECT_TRUE(FileExists(SystemFolder() + "Mirvo.dll"));
    EXPECT_TRUE(QueryMirvoService());
    EXPECT_TRUE(MachineKeyExists(kSourceKey));
}

TEST(InstallerUninstalls, ARunningDriverFromTheKitIsRemoved) {
    ScratchKit kit;
    kit.AddKitFiles();
    Install(kit);
    ASSERT_EQ(static_cast<DWORD>(SERVICE_RUNNING), QueryMirvoService()->state);
    const Outcome outcome = RunInstaller(kit, "-x -y");
    ExpectCleanEnd(outcome);
    // Wine keeps a loaded driver's image open, so its file cannot go while
    // the driver runs; Windows lets it go.
    Lines expected;
    if (FileExists(DriversFolder() + "Mirvo.sys")) expected = SystemTextLines(ERROR_ACCESS_DENIED);
    EXPECT_EQ(expected + Lines({"Service deleted", "Mirvo driver removed"}), outcome.Lines());
    EXPECT_FALSE(FileExists(SystemFolder() + "Mirvo.dll"));
    EXPECT_FALSE(MachineKeyExists(kSourceKey));
    EXPECT_EQ(Printable(MultiString({})), Printable(SourceList()));
    EXPECT_TRUE(WaitUntilMirvoGone()) << "the service is still there";
}

TEST(InstallerUninstalls, AStoppedDriverGetsNoStopControlAndEverythingGoes) {
    ScratchKit kit;
    kit.AddStandInFiles();
    Install(kit);
    StopMirvo();
    ASSERT_TRUE(WaitForMirvoState(SERVICE_STOPPED));
    const Outcome outcome = RunInstaller(kit, "-x -y");
    ExpectCleanEnd(outcome);
    // A stop control to a stopped service fails, which would end the run.
    EXPECT_EQ((Lines{"Service deleted", "Mirvo driver removed"}), outcome.Lines());
    ExpectNothingLeft();
}

TEST(InstallerUninstalls, OnAMachineWhereNothingWasInstalled) {
    const std::vector<BYTE> sources = MultiString({"Eventlog"});
    SetSourceList(sources);
    ScratchKit kit;
    const Outcome outcome = RunInstaller(kit, "-x -y");
    ExpectCleanEnd(outcome);
    EXPECT_EQ(SystemTextLines(ERROR_FILE_NOT_FOUND) + SystemTextLines(ERROR_FILE_NOT_FOUND) +
                  Lines({"Error removing driver. Driver is not present", "Mirvo driver removed"}),
              outcome.Lines());
    EXPECT_EQ(Printable(sources), Printable(SourceList()));
}

TEST(InstallerUninstalls, ADriverThatRefusesToStopStaysInstalled) {
    // A service that accepts no control stands in for the driver.
    std::ofstream(SystemFolder() + "Mirvo.dll", std::ios::binary) << "library";
    std::ofstream(DriversFolder() + "Mirvo.sys", std::ios::binary) << "driver";
    ScratchKit registration;
    ASSERT_EQ(kInstallComplete, RunInstaller(registration, "-i -f -y").Lines().back());
    {
        const kit::ServiceHandle service = testsvc::OpenMirvoService(SERVICE_ALL_ACCESS);
        const std::string refusing = kit::WindowsPathFromHost(INSTALL_REFUSING_SERVICE_HOST);
        ASSERT_TRUE(ChangeServiceConfigA(service.get(), SERVICE_WIN32_OWN_PROCESS, SERVICE_DEMAND_START, SERVICE_NO_CHANGE,
                                         refusing.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr))
            << GetLastError();
        ASSERT_TRUE(StartServiceA(service.get(), 0, nullptr)) << GetLastError();
    }  // both handles closed before the installer runs
    ASSERT_TRUE(WaitForMirvoState(SERVICE_RUNNING));

    ScratchKit kit;
    const Outcome outcome = RunInstaller(kit, "-x -y");
    ExpectCleanEnd(outcome);
    EXPECT_EQ((Lines{"Could not install: Could not stop driver. " + TrimmedSystemText(ERROR_INVALID_SERVICE_CONTROL)}),
              outcome.Lines());
    EXPECT_FALSE(FileExists(SystemFolder() + "Mirvo.dll"));
    EXPECT_FALSE(FileExists(DriversFolder() + "Mirvo.sys"));
    EXPECT_FALSE(MachineKeyExists(kSourceKey));
    EXPECT_EQ(Printable(MultiString({})), Printable(SourceList()));
    EXPECT_TRUE(QueryMirvoService()) << "the service was deleted";
}

}  // namespace
