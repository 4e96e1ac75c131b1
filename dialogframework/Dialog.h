// A modal dialog made from a dialog template. The framework's dialog
// procedure ties the object to its window at WM_INITDIALOG and then hands
// every message to the handler its message map names, the most derived
// class first, commands that no window handles to the application's map.
#pragma once

#include <windows.h>

#include <exception>
#include <vector>

#include "Window.h"

namespace dialogframework {

class DataExchange;

class Dialog : public Window {
public:
    // `parent` may be null: a dialog of its own on the task bar.
    Dialog(int templateId, Window *parent);

    // Makes the window and runs it until End(); gives the id of the command
    // that ended it, or -1 when the window could not be made. An exception
    // that a handler lets out ends the run: the dialog procedure stops it
    // before the system's frames, and it is thrown again from here once the
    // window is gone.
    INT_PTR RunModal();

    const MessageMap &Messages() const override;

    // Binds controls to their wrapper objects. Overrides call this first.
    virtual void ExchangeData(DataExchange &exchange);
    // Runs once the window exists: the base binds the controls. True lets
    // the dialog manager put the focus on the first tab stop. Overrides call
    // this first.
    virtual bool InitialiseDialog();

protected:
    // Ends the modal run with `commandId` as its result.
    void End(int commandId);

private:
    // Commands 1 and 2 (OK; Cancel, Escape and the close box) end the run.
    void EndWithOk();
    void EndWithCancel();

    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Route(UINT message, WPARAM wParam, LPARAM lParam);

    int templateId_;
    Window *parent_;
    std::vector<Window *> bound_;  // controls that data exchange bound
    std::exception_ptr failure_;    // what a handler let out, until RunModal throws it
};

// Whether a dialog procedure gives this message's result as its return value
// (WM_QUERYDRAGICON, WM_CTLCOLOR*, ...) rather than through DWLP_MSGRESULT.
bool ReturnsResultDirectly(UINT message);

}  // namespace dialogframework
