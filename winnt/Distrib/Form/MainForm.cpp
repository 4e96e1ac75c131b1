#include "MainForm.h"

#include <string>
#include <vector>

#include "Join.h"
#include "LibraryEntry.h"
#include "Locale.h"
#include "Messages.h"

namespace {

// The card library, bound by name at the first call of each entry: the
// program starts without it.
formrt::Library mirvo{"Mirvo"};
formrt::LibraryEntry<LONG(formrt::AnsiString)> MirvoOpen{mirvo, "MirvoOpen"};
formrt::LibraryEntry<LONG(LONG)> MirvoInit{mirvo, "MirvoInit"};
formrt::LibraryEntry<LONG(LONG)> MirvoFinish{mirvo, "MirvoFinish"};
// Element 0 by reference: the library gets the address of all four floats.
formrt::LibraryEntry<LONG(LONG, float &)> MirvoGetCurrentWeight4{mirvo, "MirvoGetCurrentWeight4"};

constexpr LONG kNoCard = -1;
constexpr UINT kFailureStyle = 48;  // exclamation icon, OK button

formrt::FormLayout MainFormLayout() {
    using formrt::ControlKind;
    return {"Mirvo Form",
            3732,
            1608,
            {
                {ControlKind::CommandButton, "InitButton", "Init", {240, 240, 972, 372}, 0},
                {ControlKind::CommandButton, "FinishButton", "Finish", {1440, 240, 972, 372}, 1},
                {ControlKind::CommandButton, "ReadButton", "&Read", {240, 840, 972, 372}, 2},
                {ControlKind::Label, "ReadResultLabel", "Closed", {1440, 840, 1932, 372}, 3},
            }};
}

}  // namespace

const formrt::ClickHandler<MainForm> MainForm::kClicks[3] = {
    {"InitButton", &MainForm::InitButton_Click},
    {"FinishButton", &MainForm::FinishButton_Click},
    {"ReadButton", &MainForm::ReadButton_Click},
};

MainForm::MainForm() : EventForm(MainFormLayout()) {}

void MainForm::Form_Load() {
    card_ = MirvoOpen("KVT1");
    if (card_ == kNoCard) formrt::ShowMessage("Could not open driver", kFailureStyle);
}

void MainForm::InitButton_Click() {
    if (MirvoInit(card_) == 0) formrt::ShowMessage("Could not init card", kFailureStyle);
}

void MainForm::FinishButton_Click() {
    if (MirvoFinish(card_) == 0) formrt::ShowMessage("Could not finish card", kFailureStyle);
}

void MainForm::ReadButton_Click() {
    float weights[4] = {};
    if (MirvoGetCurrentWeight4(card_, weights[0]) == 0) {
        SetCaption("ReadResultLabel", "Read error");
        return;
    }
    std::vector<std::string> texts;
    for (float weight : weights) texts.push_back(formrt::Fixed(weight));
    SetCaption("ReadResultLabel", formrt::Join(texts, "|"));
}
