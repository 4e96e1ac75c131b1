// How Mirvo.dll copies an error text into the caller's buffer. No Windows
// header: these cases also run natively under the sanitizers (tests/native).
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "ErrorText.h"

namespace {

const unsigned char kText[] = "0123456789";

TEST(CopyErrorText, NeverWritesPastTheSize) {
    char buffer[16];
    // Shorter than the buffer: the text and its zero, nothing more.
    std::memset(buffer, 0xbd, sizeof buffer);
    EXPECT_TRUE(mirvo::CopyErrorText(kText, 3, buffer, 8));
    EXPECT_STREQ(buffer, "012");
    EXPECT_EQ(static_cast<unsigned char>(buffer[4]), 0xbd);
    // Exactly the size: the whole buffer, no zero.
    std::memset(buffer, 0xbd, sizeof buffer);
    EXPECT_TRUE(mirvo::CopyErrorText(kText, 8, buffer, 8));
    EXPECT_EQ(std::string(buffer, 8), "01234567");
    EXPECT_EQ(static_cast<unsigned char>(buffer[8]), 0xbd);
    // Longer: cut, with a zero in the last byte.
    std::memset(buffer, 0xbd, sizeof buffer);
    EXPECT_TRUE(mirvo::CopyErrorText(kText, 10, buffer, 8));
    EXPECT_STREQ(buffer, "0123456");
    EXPECT_EQ(static_cast<unsigned char>(buffer[8]), 0xbd);
    // Empty text: only the zero.
    std::memset(buffer, 0xbd, sizeof buffer);
    EXPECT_TRUE(mirvo::CopyErrorText(kText, 0, buffer, 1));
    EXPECT_EQ(buffer[0], '\0');
    EXPECT_EQ(static_cast<unsigned char>(buffer[1]), 0xbd);
}

TEST(CopyErrorText, NoRoomWritesNothing) {
    char buffer[4];
    std::memset(buffer, 0xbd, sizeof buffer);
    EXPECT_FALSE(mirvo::CopyErrorText(kText, 3, buffer, 0));
    EXPECT_FALSE(mirvo::CopyErrorText(kText, 3, buffer, -5));
    EXPECT_FALSE(mirvo::CopyErrorText(kText, 3, nullptr, 4));
    for (char c : buffer) EXPECT_EQ(static_cast<unsigned char>(c), 0xbd);
}

TEST(CopyErrorText, ClaimedLengthNeverReachesPastTheReplysText) {
    // A reply's text array of 4 bytes whose length claims more: only the
    // array counts, however large the caller's buffer.
    char buffer[16];
    for (unsigned long claim : {5ul, 256ul, 0xFFFFFFFFul}) {
        std::memset(buffer, 0xbd, sizeof buffer);
        EXPECT_TRUE(mirvo::CopyReplyText(kText, 4, claim, buffer, sizeof buffer)) << claim;
        EXPECT_STREQ(buffer, "0123") << claim;
        EXPECT_EQ(static_cast<unsigned char>(buffer[5]), 0xbd) << claim;
    }
}

}  // namespace
