#include "SimConfig.h"

#include "KitPaths.h"
#include "KvtSimIoctl.h"
#include "SimScript.h"
#include "UniqueHandle.h"

namespace cfgtest {

std::vector<DWORD> CandidateAddresses() {
    std::vector<DWORD> addresses;
    const kit::Module library(LoadLibraryA(kit::KitPath("Mirvo.dll").c_str()));
    auto getCardAddr = reinterpret_cast<DWORD(WINAPI *)(LONG)>(
        reinterpret_cast<void *>(GetProcAddress(library.get(), "MirvoGetCardAddr")));
    if (getCardAddr)
        for (LONG index = 0; index < 32; ++index) addresses.push_back(getCardAddr(index));
    return addresses;
}

// Through the simulated card's own script writer, so that the script lands
// where its driver reads it, from 32-bit tests too.
void RemoveSimulatedCards() { kvtsim::RemoveAllCards(); }

void AddSimulatedCard(const std::string &name, DWORD address) { kvtsim::SetCardAddress(name, address); }

void FailDetectAt(DWORD address, DWORD code) { kvtsim::SetDetectFault(address, code); }

void RefuseStop() { kvtsim::SetSwitch(KVTSIM_VAL_REFUSE_STOP, true); }
void FailStart() { kvtsim::SetSwitch(KVTSIM_VAL_FAIL_START, true); }

}  // namespace cfgtest
