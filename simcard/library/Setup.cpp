#include "Setup.h"

#include <string>

#include "../include/KvtSimIoctl.h"
#include "CardNames.h"
#include "Device.h"
#include "resource.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace mirvo {

namespace {

// The setup's one mode: ask the user.
const LONG kInteractive = -1;

class RegKey {
public:
    ~RegKey() {
        if (key_) RegCloseKey(key_);
    }
    LONG Open(const std::string &path) {
        return RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_QUERY_VALUE, &key_);
    }
    LONG Create(const std::string &path) {
        return RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                               KEY_ALL_ACCESS, nullptr, &key_, nullptr);
    }
    HKEY Get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

std::string SlotKeyPath(int slot) {
    return std::string(KVTSIM_REG_SERVICE) + "\\" + std::to_string(slot);
}

DWORD SlotAddress(int slot) {
    RegKey key;
    DWORD address = 0, size = sizeof address;
    if (key.Open(SlotKeyPath(slot)) == ERROR_SUCCESS)
        RegQueryValueExA(key.Get(), KVTSIM_VAL_ADDRESS, nullptr, nullptr,
                         reinterpret_cast<BYTE *>(&address), &size);
    return address;
}

LONG StoreSlotAddress(int slot, DWORD address) {
    RegKey key;
    if (LONG error = key.Create(SlotKeyPath(slot))) return error;
    return RegSetValueExA(key.Get(), KVTSIM_VAL_ADDRESS, 0, REG_DWORD,
                          reinterpret_cast<const BYTE *>(&address), sizeof address);
}

struct SetupDialog {
    const char *cardName;
    int slot;
};

std::string SystemText(LONG error) {
    char text[256] = "";
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, DWORD(error),
                   0, text, sizeof text, nullptr);
    return text;
}

void OnInitDialog(HWND dialog, const SetupDialog &setup) {
    SetWindowTextA(dialog, (std::string(setup.cardName) + " card setup").c_str());
    SetDlgItemTextA(dialog, IDC_SETUP_CARD, setup.cardName);
    SetDlgItemTextA(dialog, IDC_SETUP_ADDRESS, AddressText(SlotAddress(setup.slot)).c_str());
}

void OnOk(HWND dialog, const SetupDialog &setup) {
    char text[64] = "";
    GetDlgItemTextA(dialog, IDC_SETUP_ADDRESS, text, sizeof text);
    DWORD address = 0;
    if (!ParseAddressText(text, &address)) {
        MessageBoxA(dialog, "Enter the card's address in hexadecimal, for example 3A0.",
                    "Card setup", MB_OK | MB_ICONEXCLAMATION);
        SetFocus(GetDlgItem(dialog, IDC_SETUP_ADDRESS));
        return;
    }
    if (LONG error = StoreSlotAddress(setup.slot, address)) {
        MessageBoxA(dialog, ("Could not store the card's setup: " + SystemText(error)).c_str(),
                    "Card setup", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK SetupProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        OnInitDialog(dialog, *reinterpret_cast<const SetupDialog *>(lParam));
        return TRUE;
    case WM_COMMAND: {
        const auto *setup = reinterpret_cast<const SetupDialog *>(GetWindowLongPtrA(dialog, DWLP_USER));
        if (LOWORD(wParam) == IDOK && setup) OnOk(dialog, *setup);
        else if (LOWORD(wParam) == IDCANCEL) EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

}  // namespace

LONG Detect(DWORD address, DWORD *state) {
    if (!state) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    KVTSIM_DETECT_REQUEST request = {address};
    KVTSIM_DETECT_REPLY reply;
    if (!ControlRequest(IOCTL_KVTSIM_DETECT, &request, sizeof request, &reply, sizeof reply))
        return 0;
    if (!EntryResult(reply.Result)) return 0;
    *state = reply.State;
    return 1;
}

LONG Setup(HWND owner, LPCSTR cardName, LONG mode) {
    SetupDialog setup = {cardName, 0};
    if (mode != kInteractive || !SlotOfCardName(cardName, &setup.slot)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const INT_PTR answer =
        DialogBoxParamA(reinterpret_cast<HINSTANCE>(&__ImageBase), MAKEINTRESOURCEA(IDD_SETUP),
                        owner, SetupProc, reinterpret_cast<LPARAM>(&setup));
    if (answer == IDOK) return 1;
    SetLastError(answer == IDCANCEL ? ERROR_CANCELLED : GetLastError());
    return 0;
}

}  // namespace mirvo
