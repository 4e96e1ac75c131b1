// The operations every window object of the framework offers on the window
// it stands for. An object may exist before its window does (a dialog
// between construction and its modal run) or after; then Handle() is null.
#pragma once

#include <windows.h>

#include "MessageMap.h"

namespace dialogframework {

class Window : public MessageTarget {
public:
    HWND Handle() const { return window_; }

    // A message box owned by this window; ownerless while there is no window.
    int ShowMessage(const char *text, const char *caption, UINT style) const;

    void SetText(const char *text) const;
    // Paints what is invalid now, not when the message loop next gets to it.
    void UpdateNow() const;
    void SetBigIcon(HICON icon) const;
    void SetSmallIcon(HICON icon) const;
    bool IsMinimised() const;
    LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam) const;
    RECT ClientRect() const;
    // What the system does with WM_PAINT for a window that paints nothing of
    // its own (DefWindowProc validates it; a minimised one gets its class icon).
    LRESULT DefaultPaint() const;

    // `holder`, a pointer to this window kept elsewhere (the application's
    // main window), becomes null when this object goes; null: none.
    void ForgetIn(Window **holder) { holder_ = holder; }

protected:
    Window() = default;
    ~Window() override;

private:
    // The framework ties the object to its window and lets go of it again.
    friend class Dialog;
    friend class DataExchange;
    void Attach(HWND window) { window_ = window; }
    void Detach() { window_ = nullptr; }

    HWND window_ = nullptr;
    Window **holder_ = nullptr;
};

}  // namespace dialogframework
