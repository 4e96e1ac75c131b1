#include "Dialog.h"

#include <utility>

#include "Application.h"
#include "DataExchange.h"

namespace dialogframework {

Dialog::Dialog(int templateId, Window *parent) : templateId_(templateId), parent_(parent) {}

INT_PTR Dialog::RunModal() {
    const INT_PTR result =
        DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId_), parent_ ? parent_->Handle() : nullptr,
                        Procedure, reinterpret_cast<LPARAM>(this));
    // The window is gone: no wrapper may reach it any more.
    for (Window *control : bound_) control->Detach();
    bound_.clear();
    Detach();
    if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
    return result;
}

const MessageMap &Dialog::Messages() const {
    static const MessageRoute routes[] = {
        OnClicked(IDOK, &Dialog::EndWithOk),
        OnClicked(IDCANCEL, &Dialog::EndWithCancel),
    };
    static const MessageMap map = MakeMessageMap(&Window::Messages(), routes);
    return map;
}

void Dialog::ExchangeData(DataExchange &) {}

bool Dialog::InitialiseDialog() {
    DataExchange exchange(Handle(), bound_);
    ExchangeData(exchange);
    return true;
}

void Dialog::End(int commandId) { EndDialog(Handle(), commandId); }

void Dialog::EndWithOk() { End(IDOK); }

void Dialog::EndWithCancel() { End(IDCANCEL); }

INT_PTR CALLBACK Dialog::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(window, DWLP_USER, lParam);
        reinterpret_cast<Dialog *>(lParam)->Attach(window);
    }
    // Messages before WM_INITDIALOG (WM_SETFONT) find no object yet.
    auto *dialog = reinterpret_cast<Dialog *>(GetWindowLongPtrA(window, DWLP_USER));
    return dialog ? dialog->Dispatch(window, message, wParam, lParam) : FALSE;
}

INT_PTR Dialog::Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // An exception must not unwind through the system's frames: it is kept,
    // the run ends, and RunModal throws it once the window is gone. After a
    // failure the dialog handles nothing more.
    if (failure_) return FALSE;
    try {
        if (message == WM_INITDIALOG) return InitialiseDialog() ? TRUE : FALSE;
        return Route(message, wParam, lParam);
    } catch (...) {
        failure_ = std::current_exception();
        EndDialog(window, -1);
        return FALSE;
    }
}

INT_PTR Dialog::Route(UINT message, WPARAM wParam, LPARAM lParam) {
    MessageTarget *target = this;
    const MessageRoute *route = FindRoute(Messages(), message, wParam);
    Application *application = Application::Current();
    if (!route && message == WM_COMMAND && application) {
        target = application;
        route = FindRoute(application->Messages(), message, wParam);
    }
    if (!route) return FALSE;  // the dialog manager's own handling
    const LRESULT result = CallRoute(*target, *route, wParam, lParam);
    if (ReturnsResultDirectly(message)) return static_cast<INT_PTR>(result);
    // The handler may have ended the dialog, whose window still exists here.
    SetWindowLongPtrA(Handle(), DWLP_MSGRESULT, result);
    return TRUE;
}

bool ReturnsResultDirectly(UINT message) {
    switch (message) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
    case WM_INITDIALOG:
        return true;
    default:
        return false;
    }
}

}  // namespace dialogframework
