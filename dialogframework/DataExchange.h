// What data exchange does for a dialog: binds control ids to the wrapper
// objects that stand for them while the window exists.
#pragma once

#include "StaticText.h"

namespace dialogframework {

class Dialog;

class DataExchange {
public:
    explicit DataExchange(Dialog &dialog) : dialog_(dialog) {}

    // The static control `controlId` of the dialog becomes `text`'s window
    // until the dialog's window goes. False when the dialog has no such control.
    bool Bind(int controlId, StaticText &text);

private:
    Dialog &dialog_;
};

}  // namespace dialogframework
