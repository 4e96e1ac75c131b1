// Mirvo.dll's error-text copy with any text, any length the driver claims and
// any size: the reply's text and the caller's buffer are heap blocks of
// exactly their sizes, so one byte read or written past either stops under
// AddressSanitizer; what is copied is the text's start and its zero.
#include <cstdint>
#include <cstring>
#include <memory>

#include "ErrorText.h"
#include "FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size < 4) return 0;
    // Sizes from -16 to 495, so that every relation to the length comes up.
    const long bufferSize = long((data[0] << 1) | (data[1] & 1)) - 16;
    // The driver's claim: up to 0xFFFF, mostly near the text's real length.
    const unsigned long claimed = (unsigned long)(data[2] << 8 | data[3]);
    const std::uint8_t *text = data + 4;
    const std::size_t capacity = size - 4;
    std::unique_ptr<std::uint8_t[]> heapText(new std::uint8_t[capacity ? capacity : 1]);
    if (capacity) std::memcpy(heapText.get(), text, capacity);
    const std::size_t length = claimed < capacity ? claimed : capacity;

    if (bufferSize < 1) {
        char untouched = 'u';
        FUZZ_CHECK(!mirvo::CopyReplyText(heapText.get(), capacity, claimed, &untouched, bufferSize));
        FUZZ_CHECK(untouched == 'u');
        FUZZ_CHECK(!mirvo::CopyReplyText(heapText.get(), capacity, claimed, nullptr, bufferSize));
        return 0;
    }
    std::unique_ptr<char[]> buffer(new char[bufferSize]);
    std::memset(buffer.get(), 0xbd, bufferSize);
    FUZZ_CHECK(mirvo::CopyReplyText(heapText.get(), capacity, claimed, buffer.get(), bufferSize));
    const std::size_t room = std::size_t(bufferSize);
    const std::size_t copied = length < room ? length : (length == room ? room : room - 1);
    FUZZ_CHECK(std::memcmp(buffer.get(), heapText.get(), copied) == 0);
    if (copied < room) {
        FUZZ_CHECK(buffer[copied] == 0);
        for (std::size_t i = copied + 1; i < room; ++i) FUZZ_CHECK(static_cast<unsigned char>(buffer[i]) == 0xbd);
    }
    return 0;
}
