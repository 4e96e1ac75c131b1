// The driver's request check: which request each device takes and with
// which lengths. No Windows header: these cases also run natively under the
// sanitizers (tests/native).
#include <gtest/gtest.h>

#include "RequestCheck.h"
#include "RowName.h"

namespace {

using mirvosys::DeviceKind;
using mirvosys::Verdict;
namespace rq = mirvosys::request;

struct Row {
    const char *what;
    mirvosys::Request request;
    Verdict verdict;
    uint32_t replySize;
};

const DeviceKind kCard = DeviceKind::Card, kControl = DeviceKind::Control;

const Row kRows[] = {
    {"open, exact reply", {kCard, 0x8000200C, 0, 8, true, true}, Verdict::Accept, 8},
    {"read, long buffers", {kCard, rq::kReadWeights, 4096, 4096, true, true}, Verdict::Accept, 24},
    {"error text, exact", {kControl, 0x80002040, 4, 264, true, false}, Verdict::Accept, 264},
    {"detect, exact", {kControl, 0x80002044, 4, 12, true, false}, Verdict::Accept, 12},
    {"init, reply short by one", {kCard, rq::kInit, 0, 7, true, true}, Verdict::BufferTooSmall, 0},
    {"read, a result's room only", {kCard, rq::kReadWeights, 0, 8, true, true}, Verdict::BufferTooSmall, 0},
    {"error text, no code", {kControl, rq::kGetErrorText, 3, 264, true, false}, Verdict::BufferTooSmall, 0},
    {"detect, no reply room", {kControl, rq::kDetect, 4, 0, false, false}, Verdict::BufferTooSmall, 0},
    {"finish, lengths but no buffer", {kCard, rq::kFinish, 0, 8, false, true}, Verdict::InvalidParameter, 0},
    {"init, handle without its card", {kCard, rq::kInit, 0, 8, true, false}, Verdict::NoCardState, 0},
    {"card request to the control device", {kControl, rq::kInit, 0, 8, true, false}, Verdict::UnknownRequest, 0},
    {"control request to a card", {kCard, rq::kDetect, 4, 12, true, true}, Verdict::UnknownRequest, 0},
    {"neighbouring function", {kCard, rq::Code(0x804), 0, 8, true, true}, Verdict::UnknownRequest, 0},
    {"direct transfer", {kCard, rq::kInit | 1, 0, 8, true, true}, Verdict::UnknownRequest, 0},
    {"no transfer method", {kControl, rq::kDetect | 3, 4, 12, true, false}, Verdict::UnknownRequest, 0},
    {"read access bit", {kCard, rq::kInit | 1u << 14, 0, 8, true, true}, Verdict::UnknownRequest, 0},
    {"another device type", {kCard, rq::kInit ^ 0x80000000, 0, 8, true, true}, Verdict::UnknownRequest, 0},
    {"code 0", {kCard, 0, 0, 0, false, true}, Verdict::UnknownRequest, 0},
    {"code all ones", {kControl, 0xFFFFFFFF, 4096, 4096, true, false}, Verdict::UnknownRequest, 0},
};

class RequestCheck : public ::testing::TestWithParam<Row> {};

TEST_P(RequestCheck, GivesTheVerdictAndReplySize) {
    const Row &row = GetParam();
    const mirvosys::RequestVerdict verdict = mirvosys::CheckRequest(row.request);
    EXPECT_EQ(int(verdict.verdict), int(row.verdict)) << row.what;
    EXPECT_EQ(verdict.replySize, row.replySize) << row.what;
}

INSTANTIATE_TEST_SUITE_P(Rows, RequestCheck, ::testing::ValuesIn(kRows), RowName<Row>);

}  // namespace
