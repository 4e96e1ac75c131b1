#include "CardScript.h"

#include "../include/KvtSimIoctl.h"
#include "KernelRegistry.h"

namespace mirvosys {

namespace {
void LoadFault(const KeyHandle &key, const wchar_t *value, ScriptedFault *fault) {
    fault->fails = ReadDword(key, value, &fault->lastError);
}
}  // namespace

void LoadCardScript(const wchar_t *name, CardScript *script) {
    RtlZeroMemory(script, sizeof *script);
    WideText<128> path;
    path.Add(L"\\Registry\\Machine\\").Add(KVTSIM_WIDE(KVTSIM_REG_CARDS)).Add(L"\\").Add(name);
    KeyHandle key;
    if (!path.Ok() || !key.Open(path.Get())) return;

    ULONG openFails = 0;
    script->openFails = ReadDword(key, KVTSIM_WIDE(KVTSIM_VAL_OPEN_FAILS), &openFails) && openFails;
    LoadFault(key, KVTSIM_WIDE(KVTSIM_VAL_INIT_ERROR), &script->init);
    LoadFault(key, KVTSIM_WIDE(KVTSIM_VAL_FINISH_ERROR), &script->finish);
    LoadFault(key, KVTSIM_WIDE(KVTSIM_VAL_READ_ERROR), &script->read);

    // Weights of another type or size than four floats count as none: the signal.
    ULONG bits[4] = {}, length = 0;
    if (ReadValue(key, KVTSIM_WIDE(KVTSIM_VAL_WEIGHTS), REG_BINARY, bits, sizeof bits, &length) &&
        length == sizeof bits) {
        script->fixedWeights = true;
        RtlCopyMemory(script->weightBits, bits, sizeof bits);
    }
}

}  // namespace mirvosys
