#include "Runtime.h"

#include <vector>

#include "Library.h"
#include "Messages.h"

namespace formrt {

namespace {

struct State {
    std::string title;
    std::vector<std::unique_ptr<Form>> forms;
    int exitCode = 0;
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
    } catch (const BindingError &error) {
        Report(error.what());
        EndProgram(kExitBindingFailed);
    } catch (const std::exception &error) {
        Report(error.what());
        EndProgram(kExitRuntimeFailure);
    }
    return false;
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
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (IsKeyboardMessageOfAForm(message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    state.forms.clear();
    return state.exitCode;
}

}  // namespace formrt
