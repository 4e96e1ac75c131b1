#include "Form.h"

#include <stdexcept>

#include "Services.h"

namespace formrt {

namespace {

constexpr char kFormClass[] = "FormrtForm";
// The program's icon group 1 is every form's icon.
constexpr WORD kFormIcon = 1;
constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

struct ScreenDc {
    HDC dc = GetDC(nullptr);
    ~ScreenDc() {
        if (dc) ReleaseDC(nullptr, dc);
    }
};

void RegisterFormClass(HINSTANCE instance, WNDPROC windowProc) {
    WNDCLASSEXA windowClass = {};
    if (GetClassInfoExA(instance, kFormClass, &windowClass)) return;
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(kFormIcon), IMAGE_ICON,
                                                      GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
    windowClass.hIconSm = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(kFormIcon), IMAGE_ICON,
                                                        GetSystemMetrics(SM_CXSMICON),
                                                        GetSystemMetrics(SM_CYSMICON), 0));
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kFormClass;
    if (!RegisterClassExA(&windowClass)) throw std::runtime_error("The form's window class could not be registered.");
}

}  // namespace

Form::Form(FormLayout layout) : layout_(std::move(layout)) {}

void Form::Create() {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    RegisterFormClass(instance, WindowProc);

    ScreenDc screen;
    const int dpiX = GetDeviceCaps(screen.dc, LOGPIXELSX);
    const int dpiY = GetDeviceCaps(screen.dc, LOGPIXELSY);
    RECT frame = {0, 0, TwipsToPixels(layout_.clientWidthTwips, dpiX), TwipsToPixels(layout_.clientHeightTwips, dpiY)};
    AdjustWindowRectEx(&frame, kFormStyle, FALSE, 0);
    // WM_NCCREATE keeps the window in window_.
    if (!CreateWindowExA(0, kFormClass, layout_.caption.c_str(), kFormStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                         frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance, this))
        throw std::runtime_error("The form \"" + layout_.caption + "\" could not be created.");

    // Created in tab order, so that the dialog keys walk them in that order.
    const HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    controls_.assign(layout_.controls.size(), nullptr);
    for (size_t index : TabOrder(layout_)) {
        const ControlLayout &control = layout_.controls[index];
        const bool button = control.kind == ControlKind::CommandButton;
        const PixelRect pixels = TwipsToPixels(control.twips, dpiX, dpiY);
        const DWORD style = WS_CHILD | WS_VISIBLE | (button ? BS_PUSHBUTTON | WS_TABSTOP : SS_LEFT);
        HWND child = CreateWindowExA(0, button ? "BUTTON" : "STATIC", control.caption.c_str(), style, pixels.left,
                                     pixels.top, pixels.width, pixels.height, window_.get(),
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(index))), instance,
                                     nullptr);
        if (!child) throw std::runtime_error("The control \"" + control.name + "\" could not be created.");
        SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        controls_[index] = child;
    }
}

void Form::Show(int showCommand) {
    for (size_t index : TabOrder(layout_)) {
        if (layout_.controls[index].kind == ControlKind::CommandButton) {
            lastFocus_ = controls_[index];  // activation gives it the focus
            break;
        }
    }
    ShowWindow(window_.get(), showCommand);
    UpdateWindow(window_.get());
    if (lastFocus_ && GetActiveWindow() == window_.get()) SetFocus(lastFocus_);
}

void Form::SetCaption(const std::string &control, const std::string &caption) {
    SetWindowTextA(ControlWindow(control), caption.c_str());
}

std::string Form::Caption(const std::string &control) const {
    HWND child = ControlWindow(control);
    std::string text(static_cast<size_t>(GetWindowTextLengthA(child)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(child, text.data(), static_cast<int>(text.size()))));
    return text;
}

HWND Form::ControlWindow(const std::string &name) const {
    for (size_t index = 0; index < layout_.controls.size(); ++index)
        if (layout_.controls[index].name == name && index < controls_.size()) return controls_[index];
    throw std::out_of_range("The form \"" + layout_.caption + "\" has no control \"" + name + "\".");
}

int Form::IndexOf(HWND control) const {
    for (size_t index = 0; index < controls_.size(); ++index)
        if (control && controls_[index] == control) return static_cast<int>(index);
    return -1;
}

// The window goes first, while every member its last messages touch still
// stands: a form can be destroyed with its window open (after a failed
// message loop), and those messages still come to this object.
Form::~Form() { window_.reset(); }

LRESULT CALLBACK Form::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto *form = static_cast<Form *>(reinterpret_cast<CREATESTRUCTA *>(lParam)->lpCreateParams);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
        form->window_.reset(window);
        FormWindowCreated(window);
    }
    auto *form = reinterpret_cast<Form *>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!form) return DefWindowProcA(window, message, wParam, lParam);
    // An exception must not unwind through the system's frames: it stops
    // here, the forms close and the runtime reports it after the loop.
    try {
        return form->OnMessage(message, wParam, lParam);
    } catch (...) {
        StopOnFailure(std::current_exception());
        return message == WM_NCDESTROY ? DefWindowProcA(window, message, wParam, lParam) : 0;
    }
}

LRESULT Form::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = window_.get();
    switch (message) {
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_ACTIVATE:
        // The focus leaves with the form and comes back to the same control.
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (IndexOf(focus) >= 0) lastFocus_ = focus;
        } else if (!HIWORD(wParam) && lastFocus_) {
            SetFocus(lastFocus_);
            return 0;
        }
        break;
    case WM_SETFOCUS:
        if (lastFocus_) SetFocus(lastFocus_);
        return 0;
    case WM_NCDESTROY: {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        window_.release();
        controls_.assign(controls_.size(), nullptr);
        lastFocus_ = nullptr;
        FormWindowDestroyed(window);
        return DefWindowProcA(window, message, wParam, lParam);
    }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void Form::OnCommand(int id, int notification) {
    int index = -1;
    if (id >= kFirstControlId && notification == BN_CLICKED) {
        index = id - kFirstControlId;
    } else if (id == IDOK) {
        // Enter: the dialog keys ask the window for its default button; a
        // form has none, so Enter presses the button that has the focus.
        index = IndexOf(GetFocus());
    }
    if (index < 0 || static_cast<size_t>(index) >= layout_.controls.size() ||
        layout_.controls[index].kind != ControlKind::CommandButton)
        return;
    const std::string name = layout_.controls[index].name;
    RunEvent([&] { OnClick(name); });
}

}  // namespace formrt
