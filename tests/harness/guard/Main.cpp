// The main of every test program run under Wine. When the harness runs cases
// of a program in one process (tools/wine/run-batch.sh), they share one
// prefix, so no case may leave the machine changed for the next, and the
// machine is looked at after each case. KIT_ONE_PROCESS=1: the cases are
// meant to change nothing outside their process, and one that changed the
// machine fails, naming what it changed (it belongs in a prefix of its own).
// KIT_ONE_PROCESS=restore: what a case changed is put back after it; a case
// whose changes could not all be put back fails, and so does every case
// after it.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "MachineBaseline.h"
#include "MachineState.h"
#include "UniqueHandle.h"
#include "WaitUntil.h"

namespace {

// The look again where `watch` saw a change since the last look, the rest as
// in `previous`. The watch is armed again first, so that a change made while
// looking is seen by the next look. `changed`: whether it saw any.
harness::MachineState LookAgain(harness::ChangeWatch &watch, const harness::MachineState &previous,
                                bool &changed) {
    const harness::Changes changes = watch.Changed();
    watch.Rearm();
    changed = changes.Any();
    return harness::TakeMachineState(previous, changes);
}

// The whole look is taken once; after a case, its registry trees again only
// where the watch saw a change.
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
        bool changed = false;
        harness::MachineState after = LookAgain(*watch_, state_, changed);
        if (changed) ++looks_;
        const std::vector<std::string> changes = harness::Differences(state_, after);
        if (!changes.empty()) {
            std::string text = "this case changed the machine, which a case run in one process with others must not:";
            for (const std::string &line : changes) text += "\n  " + line;
            ADD_FAILURE() << text;
        }
        state_ = std::move(after);
    }

    void OnTestProgramEnd(const ::testing::UnitTest &) override {
        std::printf("machine guard: %d cases, the registry walked again after %d of them\n", cases_, looks_);
    }

private:
    std::unique_ptr<harness::ChangeWatch> watch_;
    harness::MachineState state_;
    int cases_ = 0;
    int looks_ = 0;
};

// Puts back after each case what it changed, against the baseline taken
// before the first case; then looks again, and what is left fails the case.
class RestoringGuard : public ::testing::EmptyTestEventListener {
public:
    void OnTestStart(const ::testing::TestInfo &) override {
        if (!baseline_) {
            baseline_ = std::make_unique<harness::MachineBaseline>();
            watch_ = std::make_unique<harness::ChangeWatch>();
        }
        if (!spoiledBy_.empty())
            ADD_FAILURE() << "the machine could not be put back as it was after " << spoiledBy_
                          << ", so this case cannot run in one process after it";
    }

    void OnTestEnd(const ::testing::TestInfo &info) override {
        ++cases_;
        bool changed = false;
        harness::MachineState now = LookAgain(*watch_, baseline_->State(), changed);
        if (!baseline_->Differences(now).empty()) {
            ++putBack_;
            baseline_->PutBack(now);
            now = LookAgain(*watch_, now, changed);
        }
        const std::vector<std::string> left = baseline_->Differences(now);
        if (left.empty()) {
            baseline_->Accept(now);
            return;
        }
        std::string text = "this case changed the machine, and this could not be put back:";
        for (const std::string &line : left) text += "\n  " + line;
        ADD_FAILURE() << text;
        if (spoiledBy_.empty()) spoiledBy_ = std::string(info.test_suite_name()) + "." + info.name();
    }

    void OnTestProgramEnd(const ::testing::UnitTest &) override {
        std::printf("machine guard: %d cases, the machine put back after %d of them\n", cases_, putBack_);
    }

private:
    std::unique_ptr<harness::MachineBaseline> baseline_;
    std::unique_ptr<harness::ChangeWatch> watch_;
    std::string spoiledBy_;
    int cases_ = 0;
    int putBack_ = 0;
};

// A Windows machine has its service manager up before a user's programs run;
// a fresh prefix starts it with its first program, so a case that asks for
// it at once (the installer's "-f" install does) could meet it still
// starting. Every case begins on a machine that is up.
void WaitForServiceManager() {
    constexpr DWORD kPatienceMs = 20000;
    kit_test::WaitUntil(
        [] {
            const kit::ServiceHandle manager(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT));
            return manager.valid();
        },
        kPatienceMs);
}

std::string OneProcessMode() {
    const char *value = std::getenv("KIT_ONE_PROCESS");
    return value ? value : "";
}

}  // namespace

int main(int argc, char **argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (!GTEST_FLAG_GET(list_tests)) WaitForServiceManager();
    ::testing::TestEventListeners &listeners = ::testing::UnitTest::GetInstance()->listeners();
    if (OneProcessMode() == "1") listeners.Append(new MachineGuard);
    if (OneProcessMode() == "restore") listeners.Append(new RestoringGuard);
    return RUN_ALL_TESTS();
}
