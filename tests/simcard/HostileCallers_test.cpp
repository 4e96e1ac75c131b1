// Mirvo.dll given what no careful caller gives: handles that are no card's,
// null and zero-size buffers, absurd sizes and indexes. Each entry fails with
// a last-error code (MirvoGetCardAddr gives address 0), writes nothing it was
// not asked to and the caller goes on. The trace is on throughout, so its
// formatting meets the same arguments.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "CardFixture.h"
#include "KvtSimIoctl.h"
#include "RowName.h"
#include "UniqueHandle.h"

namespace {

using simcard::kJunk;
using simcard::kJunkByte;
const char kCallTrace[] = "C:\\hostile-calls.log";

template <typename Row>
class HostileCallers : public CardFixture, public ::testing::WithParamInterface<Row> {
protected:
    void SetUp() override {
        simcard::EnableTrace(kCallTrace);
        simcard::SetErrorText(5, "Card busy");
        StartDriver();
    }
    // Each call of the row left its line, and the last one names `entry`.
    void ExpectTraced(size_t calls, const std::string &entry) {
        const std::vector<std::string> entries = simcard::TracedEntries(kCallTrace);
        ASSERT_EQ(entries.size(), calls) << "one trace line per call";
        EXPECT_EQ(entries.back(), entry);
    }
};

// ---- Card handles that are no open card ----------------------------------

enum class Handle { Zero, FailedOpen, ClosedCard, Event, PlainFile, ControlDevice, CurrentThread };

struct HandleRow {
    const char *what;
    Handle handle;
    DWORD error;  // 0: whichever code the system gives
};

const HandleRow kHandles[] = {
    {"handle 0", Handle::Zero, ERROR_INVALID_HANDLE},
    {"minus 1, a failed open passed on", Handle::FailedOpen, ERROR_INVALID_HANDLE},
    {"a closed card's handle", Handle::ClosedCard, ERROR_INVALID_HANDLE},
    {"an event", Handle::Event, 0},
    {"a plain file", Handle::PlainFile, 0},
    {"the driver's control device", Handle::ControlDevice, ERROR_INVALID_FUNCTION},
    {"the current thread's pseudo handle", Handle::CurrentThread, 0},
};

class HostileHandles : public HostileCallers<HandleRow> {
protected:
    // The row's handle, kept open (where it is one) for the test's length.
    LONG MakeHandle(Handle handle) {
        switch (handle) {
        case Handle::Zero: return 0;
        case Handle::FailedOpen: return MIRVO_INVALID_CARD;
        case Handle::ClosedCard: {
            const LONG card = OpenKvt1();
            CloseHandle(simcard::CardHandle(card));
            return card;
        }
        case Handle::Event:
            event_.reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
            EXPECT_TRUE(event_.valid());
            return LONG(LONG_PTR(event_.get()));
        case Handle::PlainFile:
            own_.reset(CreateFileA("C:\\plain.txt", GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
            break;
        case Handle::ControlDevice:
            own_.reset(CreateFileA(KVTSIM_CONTROL_PATH, GENERIC_READ | GENERIC_WRITE,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
            break;
        case Handle::CurrentThread: return LONG(LONG_PTR(GetCurrentThread()));
        }
        EXPECT_TRUE(own_.valid()) << "could not make the handle, error " << GetLastError();
        return LONG(LONG_PTR(own_.get()));
    }
    kit::FileHandle own_;
    kit::KernelHandle event_;
};

TEST_P(HostileHandles, EveryCardEntryFailsWithALastError) {
    const HandleRow &row = GetParam();
    const LONG card = MakeHandle(row.handle);
    MIRVO_WEIGHTS4 weights;
    std::memset(&weights, kJunkByte, sizeof weights);
    const auto expectFailure = [&](const char *entry, LONG result, DWORD expected) {
        const DWORD error = GetLastError();
        EXPECT_EQ(result, 0) << entry << " with " << row.what;
        if (expected) {
            EXPECT_EQ(error, expected) << entry << " with " << row.what;
        } else {
            EXPECT_NE(error, 0u) << entry << " with " << row.what << ": a failure says why";
            EXPECT_NE(error, kJunk) << entry << " with " << row.what << ": the last error was not set";
        }
    };
    SetLastError(kJunk);
    expectFailure("MirvoInit", mirvo.Init(card), row.error);
    SetLastError(kJunk);
    expectFailure("MirvoFinish", mirvo.Finish(card), row.error);
    SetLastError(kJunk);
    expectFailure("MirvoGetCurrentWeight4", mirvo.Read(card, &weights), row.error);
    SetLastError(kJunk);
    expectFailure("MirvoGetCurrentWeight4 without a record", mirvo.Read(card, nullptr), ERROR_INVALID_PARAMETER);
    const auto *bytes = reinterpret_cast<const unsigned char *>(&weights);
    for (size_t i = 0; i < sizeof weights; ++i) ASSERT_EQ(bytes[i], kJunkByte) << "a failed read wrote byte " << i;
    ExpectTraced(row.handle == Handle::ClosedCard ? 5 : 4, "MirvoGetCurrentWeight4");
}

INSTANTIATE_TEST_SUITE_P(Rows, HostileHandles, ::testing::ValuesIn(kHandles), RowName<HandleRow>);

// ---- Names, buffers, sizes and indexes -----------------------------------

// What a call may write into: a 256-byte text with a guard zone behind it.
struct Scratch {
    Scratch() { std::memset(text, kJunkByte, sizeof text); }
    size_t Written() const {
        size_t last = 0;
        for (size_t i = 0; i < sizeof text; ++i)
            if (static_cast<unsigned char>(text[i]) != kJunkByte) last = i + 1;
        return last;
    }
    char text[256 + 64];
};

struct ArgumentRow {
    const char *what;
    const char *entry;
    LONG (*call)(MirvoLibrary &, Scratch &);
    LONG result;
    DWORD error;     // the last error of a failure; 0 for an address
    size_t written;  // bytes of the text the call writes
};

const std::string &HugeName() {
    static const std::string name(65536, 'K');
    return name;
}

const ArgumentRow kArguments[] = {
    {"no name", "MirvoOpen", [](MirvoLibrary &m, Scratch &) { return m.Open(nullptr); },
     MIRVO_INVALID_CARD, ERROR_INVALID_PARAMETER, 0},
    {"an empty name", "MirvoOpen", [](MirvoLibrary &m, Scratch &) { return m.Open(""); },
     MIRVO_INVALID_CARD, ERROR_INVALID_NAME, 0},
    {"a 64 KB name", "MirvoOpen", [](MirvoLibrary &m, Scratch &) { return m.Open(HugeName().c_str()); },
     MIRVO_INVALID_CARD, ERROR_INVALID_NAME, 0},
    {"a path", "MirvoOpen", [](MirvoLibrary &m, Scratch &) { return m.Open("..\\KVT1"); },
     MIRVO_INVALID_CARD, ERROR_INVALID_NAME, 0},
    {"the control device's name", "MirvoOpen", [](MirvoLibrary &m, Scratch &) { return m.Open("KvtSim"); },
     MIRVO_INVALID_CARD, ERROR_INVALID_FUNCTION, 0},
    {"no text buffer", "MirvoGetErrorMsg", [](MirvoLibrary &m, Scratch &) { return m.ErrorMsg(5, nullptr, 256); },
     0, ERROR_INVALID_PARAMETER, 0},
    {"no buffer and size 0", "MirvoGetErrorMsg", [](MirvoLibrary &m, Scratch &) { return m.ErrorMsg(5, nullptr, 0); },
     0, ERROR_INVALID_PARAMETER, 0},
    {"size 0", "MirvoGetErrorMsg", [](MirvoLibrary &m, Scratch &s) { return m.ErrorMsg(5, s.text, 0); },
     0, ERROR_INVALID_PARAMETER, 0},
    {"size minus 1", "MirvoGetErrorMsg", [](MirvoLibrary &m, Scratch &s) { return m.ErrorMsg(5, s.text, -1); },
     0, ERROR_INVALID_PARAMETER, 0},
    {"the lowest size", "MirvoGetErrorMsg", [](MirvoLibrary &m, Scratch &s) { return m.ErrorMsg(5, s.text, LONG_MIN); },
     0, ERROR_INVALID_PARAMETER, 0},
    {"the largest size: the text and its zero only", "MirvoGetErrorMsg",
     [](MirvoLibrary &m, Scratch &s) { return m.ErrorMsg(5, s.text, LONG_MAX); }, 1, 0, 10},
    {"a code without text", "MirvoGetErrorMsg",
     [](MirvoLibrary &m, Scratch &s) { return m.ErrorMsg(0xFFFFFFFF, s.text, 256); }, 0, ERROR_MR_MID_NOT_FOUND, 0},
    {"no state", "MirvoDetect", [](MirvoLibrary &m, Scratch &) { return m.Detect(0x3A0, nullptr); },
     0, ERROR_INVALID_PARAMETER, 0},
    {"index minus 1", "MirvoGetCardAddr", [](MirvoLibrary &m, Scratch &) { return LONG(m.CardAddr(-1)); }, 0, 0, 0},
    {"index 32", "MirvoGetCardAddr", [](MirvoLibrary &m, Scratch &) { return LONG(m.CardAddr(32)); }, 0, 0, 0},
    {"the lowest index", "MirvoGetCardAddr", [](MirvoLibrary &m, Scratch &) { return LONG(m.CardAddr(LONG_MIN)); },
     0, 0, 0},
    {"the largest index", "MirvoGetCardAddr", [](MirvoLibrary &m, Scratch &) { return LONG(m.CardAddr(LONG_MAX)); },
     0, 0, 0},
    {"an owner that is no window", "MirvoSetup",
     [](MirvoLibrary &m, Scratch &) { return m.Setup(reinterpret_cast<HWND>(LONG_PTR(0x7654320)), "KVT1", -1); },
     0, ERROR_INVALID_WINDOW_HANDLE, 0},
};

using HostileArguments = HostileCallers<ArgumentRow>;

TEST_P(HostileArguments, FailWithALastErrorAndWriteNothingUnasked) {
    const ArgumentRow &row = GetParam();
    Scratch scratch;
    SetLastError(kJunk);
    EXPECT_EQ(row.call(mirvo, scratch), row.result) << row.entry << " with " << row.what;
    if (row.error) {
        EXPECT_EQ(GetLastError(), row.error) << row.entry << " with " << row.what;
    }
    EXPECT_EQ(scratch.Written(), row.written) << row.entry << " with " << row.what;
    ExpectTraced(1, row.entry);
}

INSTANTIATE_TEST_SUITE_P(Rows, HostileArguments, ::testing::ValuesIn(kArguments), RowName<ArgumentRow>);

}  // namespace
