#include "WindowCardList.h"

#include <windows.h>

#include "DriverService.h"
#include "StoreRegistry.h"
#include "WindowState.h"
#include "WindowText.h"
#include "resource.h"

namespace cfg {

namespace {

HWND CardList() { return GetDlgItem(TheWindow().window, IDC_CARD_LIST); }

}  // namespace

std::string FormatCardLine(int slot) {
    return FormatCardLineText(slot, ReadCard(slot, DriverRunning()));
}

void FillCardList() {
    HWND list = CardList();
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (int slot = 0; slot < MaxCards; ++slot)
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(FormatCardLine(slot).c_str()));
    SendMessageA(list, LB_SETCURSEL, 0, 0);
}

void RefreshCardLine(int slot) {
    HWND list = CardList();
    SendMessageA(list, LB_DELETESTRING, slot, 0);
    SendMessageA(list, LB_INSERTSTRING, slot, reinterpret_cast<LPARAM>(FormatCardLine(slot).c_str()));
    SendMessageA(list, LB_SETCURSEL, slot, 0);
}

std::optional<int> GetSelectedSlot() {
    LRESULT selected = SendMessageA(CardList(), LB_GETCURSEL, 0, 0);
    if (selected == LB_ERR || selected < 0 || selected >= MaxCards) return std::nullopt;
    return static_cast<int>(selected);
}

void ShowConfigStatus(bool loaded) {
    std::string text = FormatConfigStatus(TheWindow().statusTemplate, loaded);
    SetDlgItemTextA(TheWindow().window, IDC_STATUS, text.c_str());
}

void ShowBusyStatus(const char *text) {
    HWND status = GetDlgItem(TheWindow().window, IDC_STATUS);
    SetWindowTextA(status, text);
    UpdateWindow(status);
}

}  // namespace cfg
