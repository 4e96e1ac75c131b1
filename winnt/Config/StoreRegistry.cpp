#include "StoreRegistry.h"

#include "MessageText.h"
#include "StoreErrorText.h"

namespace cfg {

namespace {

kit::RegKey OpenKey(const std::string &path) {
    kit::RegKey key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_ALL_ACCESS, key.receive()) !=
        ERROR_SUCCESS)
        key.reset();
    return key;
}

LONG CreateKey(const std::string &path, kit::RegKey &key) {
    DWORD disposition = 0;
    LONG result = RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr,
                                  REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, key.receive(),
                                  &disposition);
    if (result != ERROR_SUCCESS) key.reset();
    return result;
}

void SetDword(HKEY key, const char *name, DWORD value) {
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE *>(&value), sizeof value);
}

// The value into a 4-byte buffer, whatever type it has; none when missing.
std::optional<DWORD> QueryDword(HKEY key, const char *name) {
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE *>(&value), &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

}  // namespace

kit::RegKey OpenCardKey(int slot) { return OpenKey(CardKeyPath(slot)); }

bool IsCardConfigured(int slot) { return static_cast<bool>(OpenCardKey(slot)); }

bool CreateCardKey(ConfigView &view, int slot, DWORD address) {
    kit::RegKey key;
    LONG result = CreateKey(CardKeyPath(slot), key);
    ReportRegistryError(view, result);
    if (key && address != 0) SetDword(key.get(), AddressValue, address);
    return result == ERROR_SUCCESS;
}

bool DeleteCardKey(ConfigView &view, int slot) {
    kit::RegKey service;
    LONG result = CreateKey(MIRVO_SERVICE_KEY, service);
    ReportRegistryError(view, result);
    if (service) RegDeleteKeyA(service.get(), std::to_string(slot).c_str());
    return static_cast<bool>(service);
}

void ClearCardState(int slot) {
    if (kit::RegKey key = OpenCardKey(slot)) SetDword(key.get(), ConfigStateValue, 0);
}

void MarkConfigChanged(ConfigView &view) {
    kit::RegKey service = OpenKey(MIRVO_SERVICE_KEY);
    if (!service) return;
    SetDword(service.get(), ConfigStateValue, 0);
    view.ShowConfigStatus(false);
}

bool IsConfigLoaded() {
    kit::RegKey service = OpenKey(MIRVO_SERVICE_KEY);
    if (!service) return false;
    std::optional<DWORD> state = QueryDword(service.get(), ConfigStateValue);
    return state && *state == 1;
}

CardRecord ReadCard(int slot, bool readState) {
    CardRecord card;
    kit::RegKey key = OpenCardKey(slot);
    if (!key) return card;
    card.configured = true;
    card.address = QueryDword(key.get(), AddressValue).value_or(0);
    if (readState) card.state = QueryDword(key.get(), ConfigStateValue).value_or(0);
    return card;
}

bool ReportRegistryError(ConfigView &view, LONG code) {
    if (code == ERROR_SUCCESS) return true;
    std::string text =
        RegistryErrorText(static_cast<DWORD>(code), kit::MessageText(static_cast<DWORD>(code), kit::kSystemDefaultLanguage));
    view.ShowBox(text, "Error", MB_OK | MB_ICONEXCLAMATION);
    return false;
}

}  // namespace cfg
