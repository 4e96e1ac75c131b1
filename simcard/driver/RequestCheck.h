// Which control request the driver takes on which of its devices, and with
// which buffer lengths. A pure rule with no kernel header, so the host's
// sanitizer build and a fuzz target check it; Dispatch.cpp turns the verdict
// into an NTSTATUS and checks these constants against KvtSimIoctl.h.
#pragma once

#include <stdint.h>

namespace mirvosys {

enum class DeviceKind : uint32_t { Control, Card };

// The control codes: the vendor's device type 0x8000, function numbers from
// 0x800, buffered transfer, any access.
namespace request {
constexpr uint32_t kDeviceType = 0x8000;
constexpr uint32_t Code(uint32_t function) { return kDeviceType << 16 | function << 2; }
constexpr uint32_t kInit = Code(0x800);
constexpr uint32_t kFinish = Code(0x801);
constexpr uint32_t kReadWeights = Code(0x802);
constexpr uint32_t kOpen = Code(0x803);
constexpr uint32_t kGetErrorText = Code(0x810);
constexpr uint32_t kDetect = Code(0x811);

// The request and reply layouts' sizes in bytes.
constexpr uint32_t kResultSize = 8;
constexpr uint32_t kWeightsReplySize = kResultSize + 16;
constexpr uint32_t kErrorTextRequestSize = 4;
constexpr uint32_t kErrorTextReplySize = 8 + 256;
constexpr uint32_t kDetectRequestSize = 4;
constexpr uint32_t kDetectReplySize = kResultSize + 4;
}  // namespace request

// A request as the driver receives it: the device it came to, its code, the
// lengths the caller gave, whether the system buffer is there and whether
// the handle carries a card's state (a card device's handles all do).
struct Request {
    DeviceKind device;
    uint32_t code;
    uint32_t inLength;
    uint32_t outLength;
    bool hasBuffer;
    bool hasCardState;
};

enum class Verdict : uint32_t {
    Accept,            // answer with replySize bytes
    UnknownRequest,    // no such request on this device
    NoCardState,       // a card request on a handle without its card
    BufferTooSmall,    // less than the request or its reply
    InvalidParameter,  // lengths without a buffer
};

struct RequestVerdict {
    Verdict verdict;
    uint32_t replySize;  // only with Verdict::Accept, else 0
};

// The checks in this order: the request must be one of this device's, the
// handle must carry its card, both lengths must hold request and reply, and
// the buffer must be there. An accepted request's reply never exceeds the
// output length.
RequestVerdict CheckRequest(const Request &request);

}  // namespace mirvosys
