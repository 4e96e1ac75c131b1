#include "DataExchange.h"

#include <algorithm>

#include "Dialog.h"

namespace dialogframework {

bool DataExchange::Bind(int controlId, StaticText &text) {
    HWND control = GetDlgItem(dialog_.Handle(), controlId);
    if (!control) return false;
    text.Attach(control);
    auto &bound = dialog_.bound_;
    if (std::find(bound.begin(), bound.end(), &text) == bound.end()) bound.push_back(&text);
    return true;
}

}  // namespace dialogframework
