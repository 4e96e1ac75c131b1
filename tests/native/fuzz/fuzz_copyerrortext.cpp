// Mirvo.dll's error-text copy with any text and any size: the buffer is a
// heap block of exactly the size the caller gives, so one byte past it stops
// under AddressSanitizer; what is copied is the text's start and its zero.
#include <cstdint>
#include <cstring>
#include <memory>

#include "ErrorText.h"
#include "FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size < 2) return 0;
    // Sizes from -16 to 495, so that every relation to the length comes up.
    const long bufferSize = long((data[0] << 1) | (data[1] & 1)) - 16;
    const std::uint8_t *text = data + 2;
    const std::size_t length = size - 2;
    std::unique_ptr<std::uint8_t[]> heapText(new std::uint8_t[length ? length : 1]);
    if (length) std::memcpy(heapText.get(), text, length);

    if (bufferSize < 1) {
        char untouched = 'u';
        FUZZ_CHECK(!mirvo::CopyErrorText(heapText.get(), length, &untouched, bufferSize));
        FUZZ_CHECK(untouched == 'u');
        FUZZ_CHECK(!mirvo::CopyErrorText(heapText.get(), length, nullptr, bufferSize));
        return 0;
    }
    std::unique_ptr<char[]> buffer(new char[bufferSize]);
    std::memset(buffer.get(), 0xbd, bufferSize);
    FUZZ_CHECK(mirvo::CopyErrorText(heapText.get(), length, buffer.get(), bufferSize));
    const std::size_t room = std::size_t(bufferSize);
    const std::size_t copied = length < room ? length : (length == room ? room : room - 1);
    FUZZ_CHECK(std::memcmp(buffer.get(), heapText.get(), copied) == 0);
    if (copied < room) {
        FUZZ_CHECK(buffer[copied] == 0);
        for (std::size_t i = copied + 1; i < room; ++i) FUZZ_CHECK(static_cast<unsigned char>(buffer[i]) == 0xbd);
    }
    return 0;
}
