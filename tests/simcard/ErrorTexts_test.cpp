// MirvoGetErrorMsg with scripted texts: exact bytes, never past the size.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "MirvoLibrary.h"
#include "SimCard.h"

namespace {

// A 256-byte text buffer with a guard zone behind it, all junk to start.
struct TextBuffer {
    TextBuffer() { std::memset(bytes, simcard::kJunkByte, sizeof bytes); }
    char bytes[256 + 64];
    bool UntouchedFrom(size_t offset) const {
        for (size_t i = offset; i < sizeof bytes; ++i)
            if (static_cast<unsigned char>(bytes[i]) != simcard::kJunkByte) return false;
        return true;
    }
};

std::string TextOfLength(size_t length) {
    std::string text;
    for (size_t i = 0; i < length; ++i) text += char('A' + i % 26);
    return text;
}

class ErrorTexts : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(simcard::InstallAndStartDriver(), ""); }
    MirvoLibrary mirvo;
};

TEST_F(ErrorTexts, TextsUpTo255BytesComeWithTheirZero) {
    const size_t lengths[] = {0, 1, 255};
    for (size_t length : lengths) {
        const DWORD code = 0x100 + DWORD(length);
        const std::string text = TextOfLength(length);
        simcard::SetErrorText(code, text);
        TextBuffer buffer;
        ASSERT_EQ(mirvo.ErrorMsg(code, buffer.bytes, 256), 1) << "length " << length;
        EXPECT_EQ(std::string(buffer.bytes, length), text);
        EXPECT_EQ(buffer.bytes[length], '\0') << "length " << length;
        EXPECT_TRUE(buffer.UntouchedFrom(length + 1)) << "written past the text, length " << length;
    }
}

TEST_F(ErrorTexts, TextOf256BytesFillsTheBufferWithoutZero) {
    const std::string text = TextOfLength(256);
    simcard::SetErrorText(0x80000005, text);
    TextBuffer buffer;
    ASSERT_EQ(mirvo.ErrorMsg(0x80000005, buffer.bytes, 256), 1);
    EXPECT_EQ(std::string(buffer.bytes, 256), text);
    EXPECT_TRUE(buffer.UntouchedFrom(256)) << "written past the 256-byte buffer";
}

TEST_F(ErrorTexts, SmallerBufferGetsTheTextCutWithAZero) {
    simcard::SetErrorText(5, TextOfLength(255));
    TextBuffer buffer;
    ASSERT_EQ(mirvo.ErrorMsg(5, buffer.bytes, 10), 1);
    EXPECT_STREQ(buffer.bytes, TextOfLength(9).c_str());
    EXPECT_TRUE(buffer.UntouchedFrom(10));
    TextBuffer none;
    EXPECT_EQ(mirvo.ErrorMsg(5, none.bytes, 0), 0);
    EXPECT_EQ(mirvo.ErrorMsg(5, nullptr, 256), 0);
    EXPECT_TRUE(none.UntouchedFrom(0));
}

TEST_F(ErrorTexts, CodeWithoutTextGivesZeroAndLeavesTheBuffer) {
    simcard::SetErrorText(5, "Access denied by the card");
    const DWORD codes[] = {0, 6, 0xFFFFFFFF, 0x05000000};
    for (DWORD code : codes) {
        TextBuffer buffer;
        EXPECT_EQ(mirvo.ErrorMsg(code, buffer.bytes, 256), 0) << "code " << code;
        EXPECT_TRUE(buffer.UntouchedFrom(0)) << "code " << code;
    }
}

TEST_F(ErrorTexts, TextBytesArriveUnchanged) {
    const std::string text("line one\r\nzero\0inside\xff", 23);
    simcard::SetErrorText(0xFFFFFFFF, text);
    TextBuffer buffer;
    ASSERT_EQ(mirvo.ErrorMsg(0xFFFFFFFF, buffer.bytes, 256), 1);
    EXPECT_EQ(std::string(buffer.bytes, text.size()), text);
    EXPECT_EQ(buffer.bytes[text.size()], '\0');
}

}  // namespace
