// A form described as data: its caption, its client size and its controls,
// all measured in twips. Pure: the runtime turns it into windows (Form.h).
#pragma once

#include <string>
#include <vector>

#include "Twips.h"

namespace formrt {

enum class ControlKind { CommandButton, Label };

struct ControlLayout {
    ControlKind kind;
    std::string name;     // what the form's code and its click table call it
    std::string caption;  // "&" marks the access key, as in every Windows control
    TwipsRect twips;
    int tabIndex;         // 0 is focused when the form is shown; Tab goes up
};

struct FormLayout {
    std::string caption;
    int clientWidthTwips;
    int clientHeightTwips;
    std::vector<ControlLayout> controls;
};

// The control id of controls[index]: the window id its child window gets, so
// that tools can tell the controls apart (100, 101, ... in table order; clear
// of IDOK and IDCANCEL, which the keyboard sends).
constexpr int kFirstControlId = 100;
inline int ControlId(size_t index) { return kFirstControlId + static_cast<int>(index); }

// The indexes of the controls in tab order: by tab index, ties in table order.
std::vector<size_t> TabOrder(const FormLayout &layout);

}  // namespace formrt
