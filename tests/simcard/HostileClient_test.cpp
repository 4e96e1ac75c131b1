// Mirvo.sys against a client that opens its devices itself: every control
// code it knows and unknown ones, to both devices, with missing, short,
// exact, long and misaligned buffers, from several handles and threads at
// once and after a close. The driver answers each with an error status
// (a failed DeviceIoControl, its output untouched) or, for a well-formed
// request, its normal reply, and keeps serving.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "CardFixture.h"
#include "KvtSimIoctl.h"
#include "ServiceManager.h"
#include "UniqueHandle.h"

namespace {

const unsigned char kJunkByte = 0xbd;
const DWORD kJunk = 0xDEADBEEF;
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

struct Buffer {
    unsigned char *data;
    DWORD length;
};

// A junk-filled arena with room for the longest shape behind an odd start.
struct Arena {
    Arena() : bytes(kLong + 64) {}
    Buffer Give(Shape shape, DWORD size) {
        std::fill(bytes.begin(), bytes.end(), kJunkByte);
        switch (shape) {
        case Shape::Missing: return {nullptr, 0};
        case Shape::Short: return {bytes.data(), size ? size - 1 : 0};
        case Shape::Exact: return {bytes.data(), size};
        case Shape::Long: return {bytes.data(), kLong};
        case Shape::Misaligned: return {bytes.data() + 1, size};
        }
        return {nullptr, 0};
    }
    bool UntouchedFrom(const Buffer &buffer, DWORD offset) const {
        for (DWORD i = offset; i < buffer.length; ++i)
            if (buffer.data[i] != kJunkByte) return false;
        return true;
    }
    std::vector<unsigned char> bytes;
};

// What the driver answers to one request; "" when it is what it must be.
std::string Answer(HANDLE device, bool card, DWORD code, Shape inShape, Shape outShape) {
    const Known *known = Find(code);
    const bool own = known && known->card == card;
    // Unknown requests get the sizes of a result, so short and exact differ.
    const DWORD requestSize = known ? known->requestSize : 4, replySize = known ? known->replySize : 8;
    Arena inArena, outArena;
    const Buffer in = inArena.Give(inShape, requestSize), out = outArena.Give(outShape, replySize);
    const bool wellFormed = own && in.length >= requestSize && out.length >= replySize;

    DWORD returned = kJunk;
    SetLastError(kJunk);
    const BOOL ok = DeviceIoControl(device, code, in.data, in.length, out.data, out.length, &returned, nullptr);
    const DWORD error = GetLastError();
    char what[160];
    wsprintfA(what, "%s code 0x%08lX, %s input of %lu, %s output of %lu: ", card ? "card" : "control", code,
              kShapeNames[int(inShape)], in.length, kShapeNames[int(outShape)], out.length);
    if (wellFormed) {
        if (!ok) return what + std::string("refused, error ") + std::to_string(error);
        if (returned != replySize) return what + std::string("replied ") + std::to_string(returned) + " bytes";
        if (!outArena.UntouchedFrom(out, replySize)) return what + std::string("wrote past its reply");
        // The junk request finds nothing: no card there, no text.
        const auto *result = reinterpret_cast<const KVTSIM_RESULT *>(out.data);
        if (code == IOCTL_KVTSIM_GET_ERROR_TEXT) {
            if (result->Ok) return what + std::string("found a text for 0xBDBDBDBD");
        } else if (!result->Ok) {
            return what + std::string("not Ok");
        }
        return "";
    }
    if (ok) return what + std::string("accepted");
    const DWORD expected = !own ? ERROR_INVALID_FUNCTION : ERROR_INSUFFICIENT_BUFFER;
    if (error != expected) return what + std::string("error ") + std::to_string(error);
    if (out.data && !outArena.UntouchedFrom(out, 0)) return what + std::string("wrote into the output");
    return "";
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

// A sweep on a thread of its own, over handles of its own or shared ones.
class SweepThread {
public:
    SweepThread(HANDLE card, HANDLE control) : card_(card), control_(control) {
        thread_.reset(CreateThread(nullptr, 0, Run, this, 0, nullptr));
    }
    std::string Join() {
        if (WaitForSingleObject(thread_.get(), 60000) != WAIT_OBJECT_0) return "sweep thread did not end\n";
        return failures_;
    }

private:
    static DWORD WINAPI Run(void *param) {
        auto *self = static_cast<SweepThread *>(param);
        self->failures_ = Sweep(self->card_, self->control_);
        return 0;
    }
    HANDLE card_, control_;
    std::string failures_;
    kit::KernelHandle thread_;
};

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
    {
        SweepThread onOwn(own.get(), ownControl.get()), onShared(shared.get(), control.get());
        EXPECT_EQ(Sweep(shared.get(), control.get()), "") << "on the main thread";
        EXPECT_EQ(onOwn.Join(), "") << "on handles of its own";
        EXPECT_EQ(onShared.Join(), "") << "on the shared handles";
    }

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
    const kit::ServiceHandle manager = testsvc::OpenServiceManager(SC_MANAGER_CONNECT);
    const kit::ServiceHandle service(OpenServiceA(manager.get(), "Mirvo", SERVICE_QUERY_STATUS));
    SERVICE_STATUS status = {};
    ASSERT_TRUE(QueryServiceStatus(service.get(), &status));
    EXPECT_EQ(status.dwCurrentState, DWORD(SERVICE_RUNNING));
}

}  // namespace
