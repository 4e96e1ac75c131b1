#include "Services.h"

#include <algorithm>
#include <vector>

#include "ExitCodes.h"
#include "Library.h"
#include "SystemText.h"

namespace formrt {

namespace {

struct State {
    std::string title;
    std::vector<HWND> windows;  // the open forms' windows, in the order they came
    int exitCode = 0;
    std::exception_ptr failure;  // stopped at a window procedure, reported after the loop
};
State state;

void Report(const std::string &what) {
    MessageBoxA(MessageOwner(), what.c_str(), state.title.c_str(), MB_OK | MB_ICONSTOP);
}

// Closes every form; the loop then ends with `exitCode`.
void EndProgram(int exitCode) {
    state.exitCode = exitCode;
    for (HWND window : std::vector<HWND>(state.windows)) DestroyWindow(window);
}

struct FailureReport {
    std::string text;
    int exitCode;
};

FailureReport ReportOf(const std::exception_ptr &failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const BindingError &error) {
        return {error.what(), kExitBindingFailed};
    } catch (const std::exception &error) {
        return {error.what(), kExitRuntimeFailure};
    } catch (...) {
        return {"The program stopped on an unexpected error.", kExitRuntimeFailure};
    }
}

}  // namespace

void SetApplicationTitle(const std::string &title) { state.title = title; }

const std::string &ApplicationTitle() { return state.title; }

HWND MessageOwner() {
    for (HWND window : state.windows)
        if (IsWindowVisible(window)) return window;
    return nullptr;
}

bool RunEvent(const std::function<void()> &event) {
    try {
        event();
        return true;
    } catch (...) {
        const FailureReport failure = ReportOf(std::current_exception());
        Report(failure.text);
        EndProgram(failure.exitCode);
    }
    return false;
}

void FormWindowCreated(HWND window) { state.windows.push_back(window); }

void FormWindowDestroyed(HWND window) {
    state.windows.erase(std::remove(state.windows.begin(), state.windows.end(), window), state.windows.end());
    if (state.windows.empty()) PostQuitMessage(state.exitCode);
}

void StopOnFailure(std::exception_ptr failure) {
    if (state.failure) return;  // the first one is the one to tell
    state.failure = std::move(failure);
    EndProgram(ReportOf(state.failure).exitCode);
}

bool IsDialogMessageOfAForm(MSG &message) {
    for (HWND window : state.windows)
        if (IsDialogMessageA(window, &message)) return true;
    return false;
}

void LoopFailed(DWORD code) {
    // Told while the form still stands: closing it first would post the
    // quit message that ends a message box at once.
    state.exitCode = kExitRuntimeFailure;
    Report(SystemText(code));
}

void ReportKeptFailure() {
    if (state.failure) Report(ReportOf(state.failure).text);
}

int ExitCode() { return state.exitCode; }

}  // namespace formrt
