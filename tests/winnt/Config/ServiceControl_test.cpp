// The driver service control with no window: against a service whose image
// cannot start, and against the simulated card's driver.
#include <gtest/gtest.h>

#include "DriverService.h"
#include "MirvoPriv.h"
#include "RecordingView.h"
#include "Registry.h"
#include "SimCard.h"
#include "SystemError.h"
#include "UniqueHandle.h"
#include "ServiceManager.h"

using namespace cfg;
using cfgtest::RecordingView;

namespace {

// A kernel driver service "Mirvo" whose image does not exist.
void CreateUnstartableService() { ASSERT_EQ("", testsvc::CreateMirvoService("System32\\drivers\\NoSuchDriver.sys")); }

TEST(ServiceControl, OpenIsFalseWithoutTheService) {
    DriverService driver;
    EXPECT_FALSE(driver.Open());
    EXPECT_FALSE(driver.Running());
}

TEST(ServiceControl, AFailedStartWarnsOnceAndDisablesTheDriverCommands) {
    ASSERT_NO_FATAL_FAILURE(CreateUnstartableService());
    DriverService driver;
    ASSERT_TRUE(driver.Open());
    RecordingView view;
    EXPECT_FALSE(driver.EnsureRunning(view));
    EXPECT_FALSE(driver.Running());
    EXPECT_EQ(view.events,
              (std::vector<std::string>{"box Moderately severe error: Mirvo driver could not be started. Some "
                                        "features of the program will be disabled",
                                        "disable driver commands"}));
}

TEST(ServiceControl, RestartRereadsTheListAndTheStatus) {
    ASSERT_EQ(simcard::InstallAndStartDriver(), "");
    DriverService driver;
    ASSERT_TRUE(driver.Open());
    RecordingView view;
    EXPECT_TRUE(driver.EnsureRunning(view));
    EXPECT_TRUE(view.events.empty()) << view.events.front();

    testreg::WriteDword(MIRVO_SERVICE_KEY, "ConfigState", 0);
    driver.Restart(view);
    EXPECT_TRUE(driver.Running());
    // The driver writes "ConfigState" 1 when it starts.
    EXPECT_EQ(view.events, (std::vector<std::string>{"busy Restarting driver. Please wait...", "fill list",
                                                     "status loaded"}));
}

TEST(ServiceControl, RestartOfADriverThatRefusesToStopSendsNoStart) {
    simcard::SetRefuseStop(true);
    ASSERT_EQ(simcard::InstallAndStartDriver(), "");
    testreg::WriteDword(MIRVO_SERVICE_KEY, "ConfigState", 0);

    DriverService driver;
    ASSERT_TRUE(driver.Open());
    RecordingView view;
    driver.Restart(view);
    EXPECT_TRUE(driver.Running());
    EXPECT_EQ(view.events, (std::vector<std::string>{"busy Restarting driver. Please wait...", "fill list",
                                                     "status not loaded"}));
}

}  // namespace
