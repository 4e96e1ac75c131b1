// Mirvo_mfc: the application object of the reader sample on the dialog
// framework. Its start runs the main dialog once and ends the program.
#pragma once

#include "Application.h"

class Mirvo_mfcApp : public dialogframework::Application {
public:
    Mirvo_mfcApp();
    ~Mirvo_mfcApp() override;
    const dialogframework::MessageMap &Messages() const override;
    bool InitialiseInstance() override;
};
