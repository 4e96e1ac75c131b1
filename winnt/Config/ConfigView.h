// What the store, detection and the driver service control need from the
// configuration window. The window implements it and start-up hands it down,
// so those layers never reach up into the window; tests hand down a recorder.
#pragma once

#include <windows.h>

#include <string>

namespace cfg {

class ConfigView {
public:
    // A message box owned by the configuration window; the button pressed.
    virtual int ShowBox(const std::string &text, const char *caption, UINT style) = 0;

    // The status line: the template filled in for `loaded`; a text shown at
    // once while a long operation blocks the loop; the text as it stands, and
    // that text put back.
    virtual void ShowConfigStatus(bool loaded) = 0;
    virtual void ShowBusyStatus(const char *text) = 0;
    virtual std::string StatusText() const = 0;
    virtual void SetStatusText(const std::string &text) = 0;

    // Rebuilds every line of the card list from the registry.
    virtual void FillCardList() = 0;

    // Greys "Load config" and "Find new cards" for the rest of the run.
    virtual void DisableDriverCommands() = 0;

protected:
    ~ConfigView() = default;
};

}  // namespace cfg
