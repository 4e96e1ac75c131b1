// The configuration window as the layers below see it (ConfigView), and
// what its commands need of it: the card list (one line per slot, the line
// index is the slot) and the status line. One thread, one window.
#pragma once

#include <windows.h>

#include <exception>
#include <optional>
#include <string>

#include "ConfigView.h"
#include "DriverService.h"

namespace cfg {

class ConfigWindow : public ConfigView {
public:
    explicit ConfigWindow(DriverService &driver) : driver_(driver) {}

    // Takes the created window; keeps static 105's text as its status template.
    void Attach(HWND window);
    HWND handle() const { return window_; }
    DriverService &driver() { return driver_; }

    int ShowBox(const std::string &text, const char *caption, UINT style) override;
    void ShowConfigStatus(bool loaded) override;
    void ShowBusyStatus(const char *text) override;
    std::string StatusText() const override;
    void SetStatusText(const std::string &text) override;
    void FillCardList() override;
    void DisableDriverCommands() override;

    // The slot's line as the registry holds it now; card states only while
    // the driver runs.
    std::string FormatCardLine(int slot) const;
    // Rebuilds the slot's line in place and selects it.
    void RefreshCardLine(int slot);
    // The selected slot, or none.
    std::optional<int> GetSelectedSlot() const;

    // The focus goes to the card list on the first activation only.
    bool TakeFirstActivation();

    // An error that ends the program after the message loop; the first one
    // counts.
    void KeepError(std::exception_ptr error);
    std::exception_ptr PendingError() const { return pendingError_; }

private:
    HWND CardList() const;

    DriverService &driver_;
    HWND window_ = nullptr;
    std::string statusTemplate_;
    bool firstActivation_ = true;
    std::exception_ptr pendingError_;
};

}  // namespace cfg
