#include "Setup.h"

#include <string>

#include "../include/KvtCardRules.h"
#include "../include/KvtSimIoctl.h"
#define MIRVOAPI
#include "MirvoPriv.h"
#include "CardNames.h"
#include "Device.h"
#include "MessageText.h"
#include "UniqueHandle.h"
#include "resource.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace mirvo {

namespace {

// The setup's one mode: ask the user.
const LONG kInteractive = -1;

LONG OpenForQuery(const std::string &path, kit::RegKey &key) {
    return RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_QUERY_VALUE, key.receive());
}

LONG CreateWithAllAccess(const std::string &path, kit::RegKey &key) {
    return RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                           KEY_ALL_ACCESS, nullptr, key.receive(), nullptr);
}

std::string SlotKeyPath(int slot) {
    char name[3];
    kvtcard::SlotKeyName(slot, name);
    return std::string(MIRVO_SERVICE_KEY) + "\\" + name;
}

// A slot's "Address", 0 when it has none: a value of another type or size
// counts as none.
DWORD SlotAddress(int slot) {
    kit::RegKey key;
    DWORD address = 0, type = 0, size = sizeof address;
    if (OpenForQuery(SlotKeyPath(slot), key) != ERROR_SUCCESS ||
        RegQueryValueExA(key.get(), KVTSIM_VAL_ADDRESS, nullptr, &type,
                         reinterpret_cast<BYTE *>(&address), &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof address)
        return 0;
    return address;
}

LONG StoreSlotAddress(int slot, DWORD address) {
    kit::RegKey key;
    if (LONG error = CreateWithAllAccess(SlotKeyPath(slot), key)) return error;
    return RegSetValueExA(key.get(), KVTSIM_VAL_ADDRESS, 0, REG_DWORD,
                          reinterpret_cast<const BYTE *>(&address), sizeof address);
}

struct SetupDialog {
    const char *cardName;
    int slot;
};

std::string SystemText(LONG error) {
    return kit::MessageText(DWORD(error), kit::kAnyLanguage).value_or("");
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
    if (mode != kInteractive || !kvtcard::SlotOfCardName(cardName, &setup.slot)) {
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
