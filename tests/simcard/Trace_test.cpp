// The call trace: what a program called, with which arguments, in order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MirvoLibrary.h"
#include "SimCard.h"

namespace {

const char kTrace[] = "C:\\mirvo-trace.log";

std::string Hex8(DWORD value) {
    char text[16];
    wsprintfA(text, "0x%08lX", value);
    return text;
}

class Trace : public ::testing::Test {
protected:
    void SetUp() override {
        DeleteFileA(kTrace);
        ASSERT_EQ(simcard::InstallAndStartDriver(), "");
    }
};

TEST_F(Trace, EachCallIsOneLineWithArgumentsResultAndError) {
    simcard::SetWeights("KVT1", 1.5f, -0.25f, 0.0f, 12.0f);
    simcard::SetFault("KVT1", simcard::Entry::Finish, 0x80000005);
    simcard::SetErrorText(0x80000005, "card busy");
    simcard::EnableTrace(kTrace);
    MirvoLibrary mirvo;  // the trace switch is read by the process's first call

    const LONG card = mirvo.Open("KVT1");
    ASSERT_NE(card, MIRVO_INVALID_CARD);
    MIRVO_WEIGHTS4 weights;
    char text[256];
    mirvo.Init(card);
    mirvo.Read(card, &weights);
    mirvo.Finish(card);
    mirvo.ErrorMsg(0x80000005, text, 256);
    mirvo.ErrorMsg(7, text, 256);
    mirvo.Read(card, nullptr);
    mirvo.CardAddr(10);
    mirvo.Open("KVT9");

    const std::string handle = Hex8(DWORD(card));
    const std::vector<std::string> expected = {
        "MirvoOpen(\"KVT1\") = " + handle,
        "MirvoInit(" + handle + ") = 1",
        "MirvoGetCurrentWeight4(" + handle + ", buffer) = 1 weights=1.5 -0.25 0 12",
        "MirvoFinish(" + handle + ") = 0 error=0x80000005",
        "MirvoGetErrorMsg(0x80000005, buffer, 256) = 1",
        "MirvoGetErrorMsg(0x00000007, buffer, 256) = 0 error=0x0000013D",
        "MirvoGetCurrentWeight4(" + handle + ", NULL) = 0 error=0x00000057",
        "MirvoGetCardAddr(10) = 0x000003A0",
        "MirvoOpen(\"KVT9\") = 0xFFFFFFFF error=0x00000002",
    };
    EXPECT_EQ(simcard::ReadTrace(kTrace), expected);
    EXPECT_EQ(simcard::TracedEntries(kTrace).front(), "MirvoOpen");
}

TEST_F(Trace, TracingKeepsTheLastErrorForTheCaller) {
    simcard::SetFault("KVT1", simcard::Entry::Init, 0x80000005);
    simcard::EnableTrace(kTrace);
    MirvoLibrary mirvo;
    const LONG card = mirvo.Open("KVT1");
    SetLastError(0);
    EXPECT_EQ(mirvo.Init(card), 0);
    EXPECT_EQ(GetLastError(), 0x80000005u);
}

TEST_F(Trace, LinesAreAppendedToAnExistingTrace) {
    simcard::EnableTrace(kTrace);
    {
        const kit::FileHandle file(CreateFileA(kTrace, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        DWORD written;
        WriteFile(file.get(), "earlier\r\n", 9, &written, nullptr);
    }
    MirvoLibrary mirvo;
    mirvo.Init(MIRVO_INVALID_CARD);
    EXPECT_EQ(simcard::TracedEntries(kTrace), (std::vector<std::string>{"earlier", "MirvoInit"}));
}

TEST_F(Trace, NoTraceFileWithoutTheSwitch) {
    MirvoLibrary mirvo;
    CloseHandle(simcard::CardHandle(mirvo.Open("KVT1")));
    EXPECT_EQ(GetFileAttributesA(kTrace), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
