#include "Detect.h"

#include "KernelRegistry.h"
#include "SimCards.h"

namespace mirvosys {

wchar_t g_serviceKey[256];

namespace {
const ULONG kPoolTag = 0x7464534B;  // "KSdt"
}

void DetectAt(ULONG address, KVTSIM_DETECT_REPLY *reply) {
    KeyHandle root;
    ULONG failAt = 0, error = 0;
    if (root.Open(L"\\Registry\\Machine\\" KVTSIM_WIDE(KVTSIM_REG_ROOT)) &&
        ReadDword(root, KVTSIM_WIDE(KVTSIM_VAL_DETECT_FAIL_ADDRESS), &failAt) && failAt == address &&
        ReadDword(root, KVTSIM_WIDE(KVTSIM_VAL_DETECT_ERROR), &error)) {
        reply->Result.Ok = 0;
        reply->Result.LastError = error;
        return;
    }
    auto *cards =
        static_cast<SimCardList *>(ExAllocatePoolWithTag(PagedPool, sizeof(SimCardList), kPoolTag));
    if (!cards) {
        reply->Result.Ok = 0;
        reply->Result.LastError = 8;  // ERROR_NOT_ENOUGH_MEMORY
        return;
    }
    LoadSimCards(cards);
    reply->Result.Ok = 1;
    if (!CardAt(*cards, address)) reply->State = KVTSIM_DETECT_NOTHING;
    else if (AddressConfigured(g_serviceKey, address)) reply->State = KVTSIM_DETECT_CONFIGURED;
    else reply->State = KVTSIM_DETECT_NEW_CARD;
    ExFreePool(cards);
}

}  // namespace mirvosys
