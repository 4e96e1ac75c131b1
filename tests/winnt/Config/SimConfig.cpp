#include "SimConfig.h"

#include "KitPaths.h"
#include "Registry.h"
#include "UniqueHandle.h"

namespace cfgtest {

namespace {

const std::string kSimKey = "SOFTWARE\\KvtSim";

void SetDword(const std::string &path, const char *name, DWORD value) { testreg::WriteDword(path, name, value); }

}  // namespace

std::vector<DWORD> CandidateAddresses() {
    std::vector<DWORD> addresses;
    const kit::Module library(LoadLibraryA(kit::KitPath("Mirvo.dll").c_str()));
    auto getCardAddr = reinterpret_cast<DWORD(WINAPI *)(LONG)>(
        reinterpret_cast<void *>(GetProcAddress(library.get(), "MirvoGetCardAddr")));
    if (getCardAddr)
        for (LONG index = 0; index < 32; ++index) addresses.push_back(getCardAddr(index));
    return addresses;
}

void RemoveSimulatedCards() {
    testreg::DeleteTree(kSimKey + "\\Cards");
    testreg::CreateKey(kSimKey + "\\Cards");
}

void AddSimulatedCard(const std::string &name, DWORD address) {
    SetDword(kSimKey + "\\Cards\\" + name, "Address", address);
}

void FailDetectAt(DWORD address, DWORD code) {
    SetDword(kSimKey, "DetectFailAddress", address);
    SetDword(kSimKey, "DetectError", code);
}

void RefuseStop() { SetDword(kSimKey, "RefuseStop", 1); }
void FailStart() { SetDword(kSimKey, "FailStart", 1); }

}  // namespace cfgtest
