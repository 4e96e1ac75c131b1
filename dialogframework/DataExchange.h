// What data exchange does for a dialog: binds control ids to the wrapper
// objects that stand for them while the window exists.
#pragma once

#include <windows.h>

#include <vector>

#include "StaticText.h"

namespace dialogframework {

class DataExchange {
public:
    // For the dialog `window`: every control bound is added to `bound`, the
    // dialog's list of wrappers to let go of when the window goes.
    DataExchange(HWND window, std::vector<Window *> &bound) : window_(window), bound_(bound) {}

    // The static control `controlId` of the dialog becomes `text`'s window
    // until the dialog's window goes. False when the dialog has no such control.
    bool Bind(int controlId, StaticText &text);

private:
    HWND window_;
    std::vector<Window *> &bound_;
};

}  // namespace dialogframework
