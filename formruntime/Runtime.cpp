#include "Runtime.h"

#include <vector>

#include "Library.h"
#include "Messages.h"
#include "SystemText.h"

namespace formrt {

namespace {

struct State {
    std::string title;
    std::vector<std::unique_ptr<Form>> forms;
    int exitCode = 0;
    std::exception_ptr failure;  // stopped at a window procedure, reported after the loop
};
State state;

void Report(const std::string &what) { ShowMessage(what, MB_OK | MB_ICONSTOP); }

// Closes every form; the loop then ends with `exitCode`.
void EndProgram(int exitCode) {
    state.exitCode = exitCode;
    for (const std::unique_ptr<Form> &form : state.forms)
        if (HWND window = form->WindowHandle()) DestroyWindow(window);
}

bool IsKeyboardMessageOfAForm(MSG &message) {
    for (const std::unique_ptr<Form> &form : state.forms) {
        HWND window = form->WindowHandle();
        if (window && IsDialogMessageA(window, &message)) return true;
    }
    return false;
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

void ReportKeptFailure() {
    if (state.failure) Report(ReportOf(state.failure).text);
}

}  // namespace

const std::string &ApplicationTitle() { return state.title; }

HWND MessageOwner() {
    for (const std::unique_ptr<Form> &form : state.forms) {
        HWND window = form->WindowHandle();
        if (window && IsWindowVisible(window)) return window;
    }
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

void StopOnFailure(std::exception_ptr failure) {
    if (state.failure) return;  // the first one is the one to tell
    state.failure = std::move(failure);
    EndProgram(ReportOf(state.failure).exitCode);
}

void FormWindowDestroyed() {
    for (const std::unique_ptr<Form> &form : state.forms)
        if (form->WindowHandle()) return;
    PostQuitMessage(state.exitCode);
}

int Run(const Application &application, int showCommand) {
    state.title = application.title;
    Form *startUp = nullptr;
    if (!RunEvent([&] {
            state.forms.push_back(application.createStartUpForm());
            startUp = state.forms.back().get();
            startUp->Create();
        }))
        return state.exitCode;
    if (!RunEvent([&] { startUp->FireLoad(); })) return state.exitCode;
    startUp->Show(showCommand);

    MSG message;
    BOOL got = FALSE;
    while ((got = GetMessageA(&message, nullptr, 0, 0)) > 0) {
        if (IsKeyboardMessageOfAForm(message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    if (got < 0) {
        // Told while the form still stands: closing it first would post the
        // quit message that ends a message box at once.
        state.exitCode = kExitRuntimeFailure;
        Report(SystemText(GetLastError()));
    }
    ReportKeptFailure();
    state.forms.clear();
    return state.exitCode;
}

}  // namespace formrt
