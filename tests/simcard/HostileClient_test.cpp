// Mirvo.sys against a client that opens its devices itself: every control
// code it knows and unknown ones, to both devices, with missing, short,
// exact, long and misaligned buffers, from several handles and threads at
// once and after a close. The driver answers each with an error status
// (a failed DeviceIoControl, its output untouched) or, for a well-formed
// request, its normal reply, and keeps serving.
#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <string>
#include <vector>

#include "CardFixture.h"
#include "KvtSimIoctl.h"
#include "ServiceManager.h"
#include "UniqueHandle.h"

namespace {

using simcard::kJunk;
using simcard::kJunkByte;
const DWORD kLong = 4096;

// The requests the driver knows: the device each belongs to, its request
// and reply sizes.
struct Known {
    DWORD code;
    bool card;
    DWORD requestSize;
    DWORD replySize;
};

const Known kKnown[] = {
    {IOCTL_KVTSIM_OPEN, true, 0, sizeof(KVTSIM_RESULT)},
    {IOCTL_KVTSIM_INIT, true, 0, sizeof(KVTSIM_RESULT)},
    {IOCTL_KVTSIM_FINISH, true, 0, sizeof(KVTSIM_RESULT)},
    {IOCTL_KVTSIM_READ_WEIGHTS, true, 0, sizeof(KVTSIM_WEIGHTS_REPLY)},
    {IOCTL_KVTSIM_GET_ERROR_TEXT, false, sizeof(KVTSIM_ERROR_TEXT_REQUEST), sizeof(KVTSIM_ERROR_TEXT_REPLY)},
    {IOCTL_KVTSIM_DETECT, false, sizeof(KVTSIM_DETECT_REQUEST), sizeof(KVTSIM_DETECT_REPLY)},
};

const Known *Find(DWORD code) {
    for (const Known &known : kKnown)
        if (known.code == code) return &known;
    return nullptr;
}

// Every known code, and around each: the neighbouring function numbers,
// other device types, the other transfer methods and access bits; 0 and
// all ones.
std::vector<DWORD> Codes() {
    std::vector<DWORD> codes = {0, 0xFFFFFFFF};
    for (const Known &known : kKnown) {
        const DWORD function = (known.code >> 2) & 0xFFF;
        codes.push_back(known.code);
        for (DWORD neighbour : {function - 1, function + 1})
            codes.push_back(CTL_CODE(KVTSIM_DEVICE_TYPE, neighbour, METHOD_BUFFERED, FILE_ANY_ACCESS));
        for (DWORD type : {DWORD(FILE_DEVICE_UNKNOWN), DWORD(0x8001), DWORD(0xFFFF)})
            codes.push_back(CTL_CODE(type, function, METHOD_BUFFERED, FILE_ANY_ACCESS));
        for (DWORD method : {METHOD_IN_DIRECT, METHOD_OUT_DIRECT, METHOD_NEITHER})
            codes.push_back(CTL_CODE(KVTSIM_DEVICE_TYPE, function, method, FILE_ANY_ACCESS));
        for (DWORD access : {FILE_READ_ACCESS, FILE_WRITE_ACCESS, FILE_READ_ACCESS | FILE_WRITE_ACCESS})
            codes.push_back(CTL_CODE(KVTSIM_DEVICE_TYPE, function, METHOD_BUFFERED, access));
    }
    return codes;
}

// How a client hands over a buffer for a request that needs `size` bytes.
enum class Shape { Missing, Short, Exact, Long, Misaligned };
const Shape kShapes[] = {Shape::Missing, Shape::Short, Shape::Exact, Shape::Long, Shape::Misaligned};
const char *const kShapeNames[] = {"missing", "short", "exact", "long", "misaligned"};

// A junk-filled buffer in one of the shapes, with room for the longest
// behind an odd start.
struct RequestBuffer {
    RequestBuffer(Shape shape, DWORD size) : bytes(kLong + 64, kJunkByte) {
        const DWORD lengths[] = {0, size ? size - 1 : 0, size, kLong, size};
        length = lengths[int(shape)];
        data = shape == Shape::Missing ? nullptr : bytes.data() + (shape == Shape::Misaligned);
    }
    bool UntouchedFrom(DWORD offset) const {
        for (DWORD i = offset; i < length; ++i)
            if (data[i] != kJunkByte) return false;
        return true;
    }
    std::vector<unsigned char> bytes;
    unsigned char *data;
    DWORD length;
};

// What the driver answers to one request; "" when it is what it must be.
std::string Answer(HANDLE device, bool card, DWORD code, Shape inShape, Shape outShape) {
    const Known *known = Find(code);
    const bool own = known && known->card == card;
    // Unknown requests get the sizes of a result, so short and exact differ.
    const DWORD requestSize = known ? known->requestSize : 4, replySize = known ? known->replySize : 8;
    RequestBuffer in(inShape, requestSize), out(outShape, replySize);
    const bool wellFormed = own && in.length >= requestSize && out.length >= replySize;

    DWORD returned = kJunk;
    SetLastError(kJunk);
    const BOOL ok = DeviceIoControl(device, code, in.data, in.length, out.data, out.length, &returned, nullptr);
    const DWORD error = GetLastError();
    char request[160];
    wsprintfA(request, "%s code 0x%08lX, %s input of %lu, %s output of %lu: ", card ? "card" : "control", code,
              kShapeNames[int(inShape)], in.length, kShapeNames[int(outShape)], out.length);
    const std::string what = request;
    if (!wellFormed) {
        if (ok) return what + "accepted";
        if (error != (own ? ERROR_INSUFFICIENT_BUFFER : ERROR_INVALID_FUNCTION))
            return what + "error " + std::to_string(error);
        return out.UntouchedFrom(0) ? "" : what + "wrote into the output";
    }
    if (!ok) return what + "refused, error " + std::to_string(error);
    if (returned != replySize) return what + "replied " + std::to_string(returned) + " bytes";
    if (!out.UntouchedFrom(replySize)) return what + "wrote past its reply";
    // The junk request finds nothing (no text, no card at the address); the
    // unscripted card says Ok.
    const bool found = reinterpret_cast<const KVTSIM_RESULT *>(out.data)->Ok;
    return found == (code != IOCTL_KVTSIM_GET_ERROR_TEXT) ? "" : what + "a wrong reply";
}

// Every code in every shape pair to a card handle and a control handle;
// the failures, at most a few of them.
std::string Sweep(HANDLE card, HANDLE control) {
    std::string failures;
    int count = 0;
    for (DWORD code : Codes())
        for (Shape in : kShapes)
            for (Shape out : kShapes)
                for (bool toCard : {true, false}) {
                    const std::string failure = Answer(toCard ? card : control, toCard, code, in, out);
                    if (!failure.empty() && ++count <= 5) failures += failure + "\n";
                }
    if (count > 5) failures += std::to_string(count - 5) + " more\n";
    return failures;
}

kit::FileHandle OpenDevice(const char *path) {
    return kit::FileHandle(CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                       nullptr, OPEN_EXISTING, 0, nullptr));
}

const char kCardPath[] = "\\\\.\\KVT1";

// A sweep on a thread of its own, over handles of its own or shared ones;
// its failures, or that it did not end.
std::future<std::string> SweepOnAThread(HANDLE card, HANDLE control) {
    return std::async(std::launch::async, Sweep, card, control);
}

std::string Joined(std::future<std::string> &sweep) {
    return sweep.wait_for(std::chrono::seconds(60)) == std::future_status::ready ? sweep.get()
                                                                                    : "sweep thread did not end\n";
}

using HostileClient = CardFixture;

TEST_F(HostileClient, EveryRequestGetsAnErrorStatusOrItsNormalReply) {
    StartDriver();
    const kit::FileHandle card = OpenDevice(kCardPath), control = OpenDevice(KVTSIM_CONTROL_PATH);
    ASSERT_TRUE(card.valid() && control.valid()) << "error " << GetLastError();
    EXPECT_EQ(Sweep(card.get(), control.get()), "");

    // Reads and writes are no requests of the driver's.
    char bytes[16];
    DWORD done = kJunk;
    EXPECT_FALSE(ReadFile(card.get(), bytes, sizeof bytes, &done, nullptr));
    EXPECT_FALSE(WriteFile(control.get(), bytes, sizeof bytes, &done, nullptr));
}

TEST_F(HostileClient, ManyHandlesAtOnceAndAfterACloseThenAReaderStillReads) {
    StartDriver();
    const kit::FileHandle shared = OpenDevice(kCardPath), control = OpenDevice(KVTSIM_CONTROL_PATH);
    const kit::FileHandle own = OpenDevice(kCardPath), ownControl = OpenDevice(KVTSIM_CONTROL_PATH);
    ASSERT_TRUE(shared.valid() && control.valid() && own.valid() && ownControl.valid());
    auto onOwn = SweepOnAThread(own.get(), ownControl.get()), onShared = SweepOnAThread(shared.get(), control.get());
    EXPECT_EQ(Sweep(shared.get(), control.get()), "") << "on the main thread";
    EXPECT_EQ(Joined(onOwn), "") << "on handles of its own";
    EXPECT_EQ(Joined(onShared), "") << "on the shared handles";

    // A duplicate outlives the original's close: the card stays open for it,
    // and the closed handle itself is refused.
    kit::FileHandle original = OpenDevice(kCardPath);
    HANDLE duplicate = nullptr;
    ASSERT_TRUE(DuplicateHandle(GetCurrentProcess(), original.get(), GetCurrentProcess(), &duplicate, 0, FALSE,
                                DUPLICATE_SAME_ACCESS));
    const kit::FileHandle kept(duplicate);
    const HANDLE closed = original.get();
    original.reset();
    KVTSIM_RESULT result = {kJunk, kJunk};
    DWORD returned = 0;
    SetLastError(kJunk);
    EXPECT_FALSE(DeviceIoControl(closed, IOCTL_KVTSIM_INIT, nullptr, 0, &result, sizeof result, &returned, nullptr));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
    EXPECT_EQ(result.Ok, kJunk) << "a refused request wrote its reply";
    EXPECT_EQ(Sweep(kept.get(), control.get()), "") << "on the duplicate after the original's close";

    // The driver still serves a reader, and its service runs on.
    const LONG reader = OpenKvt1();
    EXPECT_EQ(mirvo.Init(reader), 1);
    MIRVO_WEIGHTS4 weights;
    EXPECT_EQ(mirvo.Read(reader, &weights), 1) << "error " << GetLastError();
    EXPECT_GT(weights.Channel[0], 1.0f) << "the signal";
    EXPECT_EQ(mirvo.Finish(reader), 1);
    EXPECT_TRUE(CloseHandle(simcard::CardHandle(reader)));
    const std::optional<DWORD> state = testsvc::MirvoServiceState();
    ASSERT_TRUE(state.has_value());
    EXPECT_EQ(*state, DWORD(SERVICE_RUNNING));
}

}  // namespace
