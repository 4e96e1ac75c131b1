#include "SimScript.h"

#include "../include/KvtCardRules.h"
#include "../include/KvtSimIoctl.h"
#include "UniqueHandle.h"

namespace kvtsim {

namespace {

LONG CreateKey(const std::string &path, kit::RegKey &key) {
    return RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                           KEY_ALL_ACCESS | KVTSIM_REG_VIEW, nullptr, key.receive(), nullptr);
}

LONG OpenKey(HKEY parent, const std::string &path, kit::RegKey &key) {
    return RegOpenKeyExA(parent, path.c_str(), 0, KEY_ALL_ACCESS | KVTSIM_REG_VIEW, key.receive());
}

std::string CardKey(const std::string &card) { return std::string(KVTSIM_REG_CARDS) + "\\" + card; }

LONG SetValue(const std::string &path, const char *name, DWORD type, const void *data,
              DWORD size) {
    kit::RegKey key;
    if (LONG error = CreateKey(path, key)) return error;
    return RegSetValueExA(key.get(), name, 0, type, static_cast<const BYTE *>(data), size);
}

LONG SetDword(const std::string &path, const char *name, DWORD value) {
    return SetValue(path, name, REG_DWORD, &value, sizeof value);
}

// Removing what is not there is no failure.
LONG RemoveValue(const std::string &path, const char *name) {
    kit::RegKey key;
    if (LONG error = OpenKey(HKEY_LOCAL_MACHINE, path, key))
        return error == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : error;
    const LONG error = RegDeleteValueA(key.get(), name);
    return error == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : error;
}

std::string HexName(DWORD code) {
    char name[9];
    kvtcard::HexName(code, name);
    return name;
}

// RegDeleteKeyA deletes in the caller's own view; RegDeleteKeyExA names the
// view but is missing before the split registry, where there is one view.
LONG DeleteKeyInView(HKEY parent, const char *name) {
    using DeleteKeyEx = LONG(WINAPI *)(HKEY, LPCSTR, REGSAM, DWORD);
    static const auto deleteKeyEx = reinterpret_cast<DeleteKeyEx>(
        reinterpret_cast<void *>(GetProcAddress(GetModuleHandleA("advapi32.dll"), "RegDeleteKeyExA")));
    return deleteKeyEx ? deleteKeyEx(parent, name, KVTSIM_REG_VIEW, 0) : RegDeleteKeyA(parent, name);
}

LONG DeleteTree(HKEY parent, const char *name) {
    LONG error;
    {
        kit::RegKey key;
        error = OpenKey(parent, name, key);
        if (error) return error == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : error;
        char child[256];
        // Always the first subkey: each one is gone after its turn.
        while (RegEnumKeyA(key.get(), 0, child, sizeof child) == ERROR_SUCCESS) {
            if ((error = DeleteTree(key.get(), child)) != ERROR_SUCCESS) break;
        }
    }  // closed before the key itself goes
    if (error) return error;
    return DeleteKeyInView(parent, name);
}

}  // namespace

const char *FaultValueName(Fault fault) {
    switch (fault) {
    case Fault::Open: return KVTSIM_VAL_OPEN_FAILS;
    case Fault::Init: return KVTSIM_VAL_INIT_ERROR;
    case Fault::Finish: return KVTSIM_VAL_FINISH_ERROR;
    case Fault::Read: return KVTSIM_VAL_READ_ERROR;
    }
    return "";
}

LONG SetWeights(const std::string &card, const float (&weights)[4]) {
    return SetValue(CardKey(card), KVTSIM_VAL_WEIGHTS, REG_BINARY, weights, sizeof weights);
}

LONG UseSignal(const std::string &card) {
    // The card's key stays: a card that has one is a card of the script.
    kit::RegKey key;
    if (LONG error = CreateKey(CardKey(card), key)) return error;
    return RemoveValue(CardKey(card), KVTSIM_VAL_WEIGHTS);
}

LONG SetFault(const std::string &card, Fault fault, DWORD lastError) {
    return SetDword(CardKey(card), FaultValueName(fault), fault == Fault::Open ? 1 : lastError);
}

LONG ClearFault(const std::string &card, Fault fault) {
    return RemoveValue(CardKey(card), FaultValueName(fault));
}

LONG SetCardAddress(const std::string &card, DWORD address) {
    return SetDword(CardKey(card), KVTSIM_VAL_ADDRESS, address);
}

LONG SetErrorText(DWORD code, const std::string &bytes) {
    if (bytes.size() > KVTSIM_MAX_ERROR_TEXT) return ERROR_INVALID_PARAMETER;
    return SetValue(KVTSIM_REG_ERROR_TEXTS, HexName(code).c_str(), REG_BINARY, bytes.data(),
                    DWORD(bytes.size()));
}

LONG RemoveErrorText(DWORD code) {
    return RemoveValue(KVTSIM_REG_ERROR_TEXTS, HexName(code).c_str());
}

LONG SetTraceFile(const std::string &path) {
    return SetValue(KVTSIM_REG_ROOT, KVTSIM_VAL_TRACE_FILE, REG_SZ, path.c_str(),
                    DWORD(path.size() + 1));
}

LONG RemoveTraceFile() { return RemoveValue(KVTSIM_REG_ROOT, KVTSIM_VAL_TRACE_FILE); }

LONG SetDetectFault(DWORD address, DWORD lastError) {
    if (LONG error = SetDword(KVTSIM_REG_ROOT, KVTSIM_VAL_DETECT_FAIL_ADDRESS, address)) return error;
    return SetDword(KVTSIM_REG_ROOT, KVTSIM_VAL_DETECT_ERROR, lastError);
}

LONG ClearDetectFault() {
    if (LONG error = RemoveValue(KVTSIM_REG_ROOT, KVTSIM_VAL_DETECT_FAIL_ADDRESS)) return error;
    return RemoveValue(KVTSIM_REG_ROOT, KVTSIM_VAL_DETECT_ERROR);
}

LONG SetSwitch(const char *name, bool on) {
    return on ? SetDword(KVTSIM_REG_ROOT, name, 1) : RemoveValue(KVTSIM_REG_ROOT, name);
}

LONG SetRootDword(const char *name, DWORD value) { return SetDword(KVTSIM_REG_ROOT, name, value); }

LONG ClearAll() { return DeleteTree(HKEY_LOCAL_MACHINE, KVTSIM_REG_ROOT); }

LONG RemoveAllCards() {
    if (LONG error = DeleteTree(HKEY_LOCAL_MACHINE, KVTSIM_REG_CARDS)) return error;
    kit::RegKey key;
    return CreateKey(KVTSIM_REG_CARDS, key);
}

}  // namespace kvtsim
