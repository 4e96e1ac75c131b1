// The main of every test program run under Wine. When the harness runs all
// cases of a program in one process (KIT_ONE_PROCESS=1, tools/wine/run-batch.sh),
// they share one prefix, so a case may change nothing outside its process:
// the machine is looked at after each case, and a case that changed it fails,
// naming what it changed. Such a case belongs in a prefix of its own.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "MachineState.h"

namespace {

// The whole look (registry trees, folders) is taken once, and again only
// after the watch saw a change; the running services after every case.
class MachineGuard : public ::testing::EmptyTestEventListener {
public:
    void OnTestStart(const ::testing::TestInfo &) override {
        if (watch_) return;
        state_ = harness::TakeMachineState();
        watch_ = std::make_unique<harness::ChangeWatch>();
    }

    // Called before the result is printed and reported, so a failure added
    // here is the case's own.
    void OnTestEnd(const ::testing::TestInfo &) override {
        ++cases_;
        harness::MachineState after;
        if (watch_->Changed()) {
            ++looks_;
            after = harness::TakeMachineState();
            watch_->Rearm();
        } else {
            after = state_;
            after.services = harness::RunningServices();
        }
        const std::vector<std::string> changes = harness::Differences(state_, after);
        if (!changes.empty()) {
            std::string text = "this case changed the machine, which a case run in one process with others must not:";
            for (const std::string &line : changes) text += "\n  " + line;
            ADD_FAILURE() << text;
        }
        state_ = std::move(after);
    }

    void OnTestProgramEnd(const ::testing::UnitTest &) override {
        std::printf("machine guard: %d cases, the whole machine looked at again after %d of them\n", cases_, looks_);
    }

private:
    std::unique_ptr<harness::ChangeWatch> watch_;
    harness::MachineState state_;
    int cases_ = 0;
    int looks_ = 0;
};

// A Windows machine has its service manager up before a user's programs run;
// a fresh prefix starts it with its first program, so a case that asks for
// it at once (the installer's "-f" install does) could meet it still
// starting. Every case begins on a machine that is up.
void WaitForServiceManager() {
    constexpr DWORD kPatienceMs = 20000, kStepMs = 50;
    for (DWORD waited = 0; waited < kPatienceMs; waited += kStepMs) {
        if (SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT)) {
            CloseServiceHandle(manager);
            return;
        }
        Sleep(kStepMs);
    }
}

bool OneProcess() {
    const char *value = std::getenv("KIT_ONE_PROCESS");
    return value && std::strcmp(value, "1") == 0;
}

}  // namespace

int main(int argc, char **argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (!GTEST_FLAG_GET(list_tests)) WaitForServiceManager();
    if (OneProcess()) ::testing::UnitTest::GetInstance()->listeners().Append(new MachineGuard);
    return RUN_ALL_TESTS();
}
