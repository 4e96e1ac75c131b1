#include "Mirvo_mfc.h"

#include "Mirvo_mfcDlg.h"

// The program's one application object; the framework's entry runs it.
Mirvo_mfcApp theApplication;

// No name of its own: the framework takes the executable's.
Mirvo_mfcApp::Mirvo_mfcApp() = default;

Mirvo_mfcApp::~Mirvo_mfcApp() = default;

const dialogframework::MessageMap &Mirvo_mfcApp::Messages() const {
    static const dialogframework::MessageRoute routes[] = {
        dialogframework::OnClicked(dialogframework::kHelpCommand, &Application::ShowDefaultHelp),
    };
    static const dialogframework::MessageMap map = dialogframework::MakeMessageMap(&Application::Messages(), routes);
    return map;
}

bool Mirvo_mfcApp::InitialiseInstance() {
    UseThreeDControls();

    Mirvo_mfcDlg dialog(nullptr);
    SetMainWindow(&dialog);
    const INT_PTR ending = dialog.RunModal();
    (void)ending;  // how the dialog ended changes nothing

    // The dialog is done with: end the program without a message loop.
    return false;
}
