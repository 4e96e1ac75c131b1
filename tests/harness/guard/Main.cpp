// The main of every test program run under Wine. A program's cases run in
// one process (tools/wine/run-gtest.sh), so they share one prefix, and no
// case may leave the machine changed for the next: with KIT_MACHINE_GUARD=1,
// what a case changed is put back after it; a case whose changes could not
// all be put back fails, and so does every case after it.
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

bool GuardWanted() {
    const char *value = std::getenv("KIT_MACHINE_GUARD");
    return value && std::string(value) == "1";
}

}  // namespace

int main(int argc, char **argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (!GTEST_FLAG_GET(list_tests)) WaitForServiceManager();
    ::testing::TestEventListeners &listeners = ::testing::UnitTest::GetInstance()->listeners();
    if (GuardWanted()) listeners.Append(new RestoringGuard);
    return RUN_ALL_TESTS();
}
