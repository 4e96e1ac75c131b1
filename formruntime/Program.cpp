#include "Program.h"

#include <vector>

#include "Services.h"

namespace formrt {

int Run(const Application &application, int showCommand) {
    SetApplicationTitle(application.title);
    std::vector<std::unique_ptr<Form>> forms;
    Form *startUp = nullptr;
    if (!RunEvent([&] {
            forms.push_back(application.createStartUpForm());
            startUp = forms.back().get();
            startUp->Create();
        }))
        return ExitCode();
    if (!RunEvent([&] { startUp->FireLoad(); })) return ExitCode();
    startUp->Show(showCommand);

    MSG message;
    BOOL got = FALSE;
    while ((got = GetMessageA(&message, nullptr, 0, 0)) > 0) {
        if (IsDialogMessageOfAForm(message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    if (got < 0) LoopFailed(GetLastError());
    ReportKeptFailure();
    forms.clear();
    return ExitCode();
}

}  // namespace formrt
