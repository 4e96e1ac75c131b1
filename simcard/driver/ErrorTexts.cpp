#include "ErrorTexts.h"

#include "KernelRegistry.h"
#include "../include/KvtCardRules.h"

namespace mirvosys {

void LookUpErrorText(ULONG code, KVTSIM_ERROR_TEXT_REPLY *reply) {
    KeyHandle key;
    if (!key.Open(L"\\Registry\\Machine\\" KVTSIM_WIDE(KVTSIM_REG_ERROR_TEXTS))) return;
    wchar_t name[9];
    kvtcard::HexName(code, name);
    ULONG length = 0;
    if (!ReadValue(key, name, REG_BINARY, reply->Text, sizeof reply->Text, &length)) return;
    reply->Found = 1;
    reply->Length = length;
}

}  // namespace mirvosys
