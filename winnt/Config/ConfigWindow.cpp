#include "ConfigWindow.h"

#include <utility>

#include "MirvoPriv.h"
#include "StoreRegistry.h"
#include "WindowText.h"
#include "resource.h"

namespace cfg {

void ConfigWindow::Attach(HWND window) {
    window_ = window;
    char statusTemplate[200] = "";
    GetDlgItemTextA(window, IDC_STATUS, statusTemplate, sizeof statusTemplate);
    statusTemplate_ = statusTemplate;
}

int ConfigWindow::ShowBox(const std::string &text, const char *caption, UINT style) {
    return MessageBoxA(window_, text.c_str(), caption, style);
}

void ConfigWindow::ShowConfigStatus(bool loaded) {
    std::string text = FormatConfigStatus(statusTemplate_, loaded);
    SetDlgItemTextA(window_, IDC_STATUS, text.c_str());
}

void ConfigWindow::ShowBusyStatus(const char *text) {
    HWND status = GetDlgItem(window_, IDC_STATUS);
    SetWindowTextA(status, text);
    UpdateWindow(status);
}

std::string ConfigWindow::StatusText() const {
    char text[257] = "";
    GetDlgItemTextA(window_, IDC_STATUS, text, sizeof text);
    return text;
}

void ConfigWindow::SetStatusText(const std::string &text) {
    SetDlgItemTextA(window_, IDC_STATUS, text.c_str());
}

HWND ConfigWindow::CardList() const { return GetDlgItem(window_, IDC_CARD_LIST); }

std::string ConfigWindow::FormatCardLine(int slot) const {
    return FormatCardLineText(slot, ReadCard(slot, driver_.Running()));
}

void ConfigWindow::FillCardList() {
    HWND list = CardList();
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (int slot = 0; slot < MIRVO_MAX_CARDS; ++slot)
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(FormatCardLine(slot).c_str()));
    SendMessageA(list, LB_SETCURSEL, 0, 0);
}

void ConfigWindow::RefreshCardLine(int slot) {
    HWND list = CardList();
    SendMessageA(list, LB_DELETESTRING, slot, 0);
    SendMessageA(list, LB_INSERTSTRING, slot, reinterpret_cast<LPARAM>(FormatCardLine(slot).c_str()));
    SendMessageA(list, LB_SETCURSEL, slot, 0);
}

std::optional<int> ConfigWindow::GetSelectedSlot() const {
    LRESULT selected = SendMessageA(CardList(), LB_GETCURSEL, 0, 0);
    if (selected == LB_ERR || selected < 0 || selected >= MIRVO_MAX_CARDS) return std::nullopt;
    return static_cast<int>(selected);
}

void ConfigWindow::DisableDriverCommands() {
    EnableWindow(GetDlgItem(window_, IDC_LOAD_CONFIG), FALSE);
    EnableWindow(GetDlgItem(window_, IDC_FIND_CARDS), FALSE);
}

bool ConfigWindow::TakeFirstActivation() { return std::exchange(firstActivation_, false); }

void ConfigWindow::KeepError(std::exception_ptr error) {
    if (!pendingError_) pendingError_ = error;
}

}  // namespace cfg
