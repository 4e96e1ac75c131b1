#include "RequestCheck.h"

namespace mirvosys {

namespace {
struct Layout {
    uint32_t code;
    DeviceKind device;
    uint32_t requestSize;
    uint32_t replySize;
};

constexpr Layout kLayouts[] = {
    {request::kOpen, DeviceKind::Card, 0, request::kResultSize},
    {request::kInit, DeviceKind::Card, 0, request::kResultSize},
    {request::kFinish, DeviceKind::Card, 0, request::kResultSize},
    {request::kReadWeights, DeviceKind::Card, 0, request::kWeightsReplySize},
    {request::kGetErrorText, DeviceKind::Control, request::kErrorTextRequestSize,
     request::kErrorTextReplySize},
    {request::kDetect, DeviceKind::Control, request::kDetectRequestSize, request::kDetectReplySize},
};

const Layout *LayoutOf(uint32_t code, DeviceKind device) {
    for (const Layout &layout : kLayouts)
        if (layout.code == code && layout.device == device) return &layout;
    return nullptr;
}
}  // namespace

RequestVerdict CheckRequest(const Request &request) {
    const Layout *layout = LayoutOf(request.code, request.device);
    if (!layout) return {Verdict::UnknownRequest, 0};
    if (request.device == DeviceKind::Card && !request.hasCardState) return {Verdict::NoCardState, 0};
    if (request.inLength < layout->requestSize || request.outLength < layout->replySize)
        return {Verdict::BufferTooSmall, 0};
    if (!request.hasBuffer) return {Verdict::InvalidParameter, 0};
    return {Verdict::Accept, layout->replySize};
}

}  // namespace mirvosys
