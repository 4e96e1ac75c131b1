// A live form: the window of a FormLayout, every control a real child window
// (labels too, so screen readers and UI automation find each by caption),
// placed in pixels from the display's pixels per inch.
//
// A program's form derives from EventForm (below) and names its handlers in
// tables; the runtime (Program.h) creates the form, runs its load event,
// shows it and dispatches its clicks. The keyboard works as in any Windows
// dialog: Tab and Shift+Tab follow the tab index, Alt plus a control's
// access key presses it (or, for a label, moves to the next control), Space
// and Enter press the focused button, and the focus comes back to the same
// control when the form is activated again. Esc does nothing: a form has no
// cancel button.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "FormLayout.h"
#include "UniqueHandle.h"

namespace formrt {

struct WindowTraits : kit::NullIsEmpty<HWND> {
    static void Close(HWND window) { DestroyWindow(window); }
};
using Window = kit::UniqueHandle<WindowTraits>;

class Form {
public:
    explicit Form(FormLayout layout);
    virtual ~Form();
    Form(const Form &) = delete;
    Form &operator=(const Form &) = delete;

    const FormLayout &Layout() const { return layout_; }
    // Null before Create and once the form is closed.
    HWND WindowHandle() const { return window_.get(); }

    // A control's caption, by the control's name; throws std::out_of_range
    // for a name the layout does not have.
    void SetCaption(const std::string &control, const std::string &caption);
    std::string Caption(const std::string &control) const;

    // For the runtime: the hidden window and its controls (throws
    // std::runtime_error when the system refuses them); the load event;
    // showing with the focus on the first control in tab order.
    void Create();
    void FireLoad() { OnLoad(); }
    void Show(int showCommand);

protected:
    virtual void OnLoad() {}
    virtual void OnClick(const std::string & /*control*/) {}

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnCommand(int id, int notification);
    int IndexOf(HWND control) const;  // -1: not one of ours
    HWND ControlWindow(const std::string &name) const;

    FormLayout layout_;
    Window window_;
    std::vector<HWND> controls_;  // by layout index; children, destroyed with the form
    HWND lastFocus_ = nullptr;
};

// One row of a form's click table: the control's name and its handler.
template <typename Derived>
struct ClickHandler {
    const char *control;
    void (Derived::*handler)();
};

// A form whose events are tables of the derived class:
//   static constexpr void (MainForm::*kLoad)() = &MainForm::Form_Load;
//   static const formrt::ClickHandler<MainForm> kClicks[3];
// A click on a control without a row does nothing.
template <typename Derived>
class EventForm : public Form {
public:
    using Form::Form;

protected:
    void OnLoad() override { (Self().*Derived::kLoad)(); }
    void OnClick(const std::string &control) override {
        for (const ClickHandler<Derived> &row : Derived::kClicks) {
            if (control == row.control) {
                (Self().*row.handler)();
                return;
            }
        }
    }

private:
    Derived &Self() { return static_cast<Derived &>(*this); }
};

}  // namespace formrt
