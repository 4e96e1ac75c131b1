// A window caption shown while a call runs: the old caption comes back when
// the holder goes, on every way out of the handler, a thrown failure included.
#pragma once

#include <windows.h>

namespace mirvo_dw32 {

class TemporaryCaption {
public:
    TemporaryCaption(HWND window, const char *caption) : window_(window) {
        GetWindowTextA(window_, saved_, sizeof saved_);
        SetWindowTextA(window_, caption);
        // The library call that follows keeps the window from repainting.
        UpdateWindow(window_);
    }
    ~TemporaryCaption() { SetWindowTextA(window_, saved_); }
    TemporaryCaption(const TemporaryCaption &) = delete;
    TemporaryCaption &operator=(const TemporaryCaption &) = delete;

private:
    HWND window_;
    char saved_[41] = "";  // a caption of at most 40 characters
};

}  // namespace mirvo_dw32
