#include "DataExchange.h"

#include <algorithm>

namespace dialogframework {

bool DataExchange::Bind(int controlId, StaticText &text) {
    HWND control = GetDlgItem(window_, controlId);
    if (!control) return false;
    text.Attach(control);
    if (std::find(bound_.begin(), bound_.end(), &text) == bound_.end()) bound_.push_back(&text);
    return true;
}

}  // namespace dialogframework
