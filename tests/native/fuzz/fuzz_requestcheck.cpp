// The driver's request check with any device, code, lengths, buffer and card
// state. The requests are written out here as the numbers a client sends, so
// a slip in the rule's own table shows: an accepted request is one of these,
// on its own device, with a buffer, the card's state and both lengths at
// least its request and reply; nothing else is ever accepted, and every
// request that meets all of that is.
#include <cstdint>
#include <cstring>

#include "FuzzCheck.h"
#include "RequestCheck.h"

namespace {
using mirvosys::DeviceKind;
using mirvosys::Verdict;

struct Known {
    std::uint32_t code;
    DeviceKind device;
    std::uint32_t requestSize;
    std::uint32_t replySize;
};

const Known kKnown[] = {
    {0x80002000, DeviceKind::Card, 0, 8},       {0x80002004, DeviceKind::Card, 0, 8},
    {0x80002008, DeviceKind::Card, 0, 24},      {0x8000200C, DeviceKind::Card, 0, 8},
    {0x80002040, DeviceKind::Control, 4, 264},  {0x80002044, DeviceKind::Control, 4, 12},
};

const Known *Find(std::uint32_t code) {
    for (const Known &known : kKnown)
        if (known.code == code) return &known;
    return nullptr;
}

std::uint32_t Word(const std::uint8_t *bytes) {
    std::uint32_t value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size < 13) return 0;
    mirvosys::Request request;
    request.device = data[0] & 1 ? DeviceKind::Card : DeviceKind::Control;
    request.hasBuffer = data[0] & 2;
    request.hasCardState = data[0] & 4;
    request.code = Word(data + 1);
    request.inLength = Word(data + 5);
    request.outLength = Word(data + 9);

    const mirvosys::RequestVerdict verdict = mirvosys::CheckRequest(request);
    const Known *known = Find(request.code);
    const bool own = known && known->device == request.device;
    const bool wellFormed = own && request.hasBuffer &&
                            (request.device == DeviceKind::Control || request.hasCardState) &&
                            request.inLength >= known->requestSize && request.outLength >= known->replySize;

    if (verdict.verdict == Verdict::Accept) {
        FUZZ_CHECK(wellFormed);
        FUZZ_CHECK(verdict.replySize == known->replySize);
        FUZZ_CHECK(verdict.replySize <= request.outLength);
    } else {
        FUZZ_CHECK(!wellFormed);
        FUZZ_CHECK(verdict.replySize == 0);
    }
    // Other transfer methods, access bits and device types, card requests to
    // the control device and control requests to a card: unknown, before any
    // length or buffer is looked at.
    if (!own) FUZZ_CHECK(verdict.verdict == Verdict::UnknownRequest);
    if ((request.code & 3) || (request.code >> 14 & 3) || request.code >> 16 != 0x8000)
        FUZZ_CHECK(verdict.verdict == Verdict::UnknownRequest);
    return 0;
}
