#include "SimConfig.h"

#include "KitPaths.h"

namespace cfgtest {

namespace {

const char *const kSimKey = "SOFTWARE\\KvtSim";

void SetDword(const std::string &path, const char *name, DWORD value) {
    RegSetKeyValueA(HKEY_LOCAL_MACHINE, path.c_str(), name, REG_DWORD, &value, sizeof value);
}

}  // namespace

std::vector<DWORD> CandidateAddresses() {
    std::vector<DWORD> addresses;
    HMODULE library = LoadLibraryA(kit::KitPath("Mirvo.dll").c_str());
    auto getCardAddr = reinterpret_cast<DWORD(WINAPI *)(LONG)>(
        reinterpret_cast<void *>(GetProcAddress(library, "MirvoGetCardAddr")));
    if (getCardAddr)
        for (LONG index = 0; index < 32; ++index) addresses.push_back(getCardAddr(index));
    if (library) FreeLibrary(library);
    return addresses;
}

void RemoveSimulatedCards() {
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, (std::string(kSimKey) + "\\Cards").c_str());
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, (std::string(kSimKey) + "\\Cards").c_str(), 0, nullptr, 0,
                    KEY_ALL_ACCESS, nullptr, &key, nullptr);
    if (key) RegCloseKey(key);
}

void AddSimulatedCard(const std::string &name, DWORD address) {
    SetDword(std::string(kSimKey) + "\\Cards\\" + name, "Address", address);
}

void FailDetectAt(DWORD address, DWORD code) {
    SetDword(kSimKey, "DetectFailAddress", address);
    SetDword(kSimKey, "DetectError", code);
}

void RefuseStop() { SetDword(kSimKey, "RefuseStop", 1); }
void FailStart() { SetDword(kSimKey, "FailStart", 1); }

}  // namespace cfgtest
