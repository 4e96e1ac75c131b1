#include "Window.h"

namespace dialogframework {

Window::~Window() {
    // Nobody may keep a window that is gone.
    if (holder_ && *holder_ == this) *holder_ = nullptr;
}

int Window::ShowMessage(const char *text, const char *caption, UINT style) const {
    return MessageBoxA(window_, text, caption, style);
}

void Window::SetText(const char *text) const { SetWindowTextA(window_, text); }

void Window::UpdateNow() const { UpdateWindow(window_); }

void Window::SetBigIcon(HICON icon) const { Send(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon)); }

void Window::SetSmallIcon(HICON icon) const { Send(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon)); }

bool Window::IsMinimised() const { return IsIconic(window_) != FALSE; }

LRESULT Window::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
    return SendMessageA(window_, message, wParam, lParam);
}

RECT Window::ClientRect() const {
    RECT rect = {};
    GetClientRect(window_, &rect);
    return rect;
}

LRESULT Window::DefaultPaint() const { return DefWindowProcA(window_, WM_PAINT, 0, 0); }

}  // namespace dialogframework
