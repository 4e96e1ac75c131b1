// MainForm, the only form of Mirvo_vb: opens card "KVT1" when it is loaded;
// its buttons initialise the card, read its four weights into the label and
// finish it.
#pragma once

#include <windows.h>

#include "Form.h"

class MainForm : public formrt::EventForm<MainForm> {
    void Form_Load();
    void InitButton_Click();
    void FinishButton_Click();
    void ReadButton_Click();

public:
    MainForm();

    // The events the runtime dispatches to this form.
    static constexpr void (MainForm::*kLoad)() = &MainForm::Form_Load;
    static const formrt::ClickHandler<MainForm> kClicks[3];

private:

    // 0 until Form_Load stores MirvoOpen's result; -1 after a failed open,
    // which every later call then gets. Never released.
    LONG card_ = 0;
};
