// The simulated card's numbers, in integers only: the driver must not touch
// the floating-point unit (a 32-bit kernel would have to save its state
// first). Pure functions; the unit tests call them directly.
#pragma once

#include <stdint.h>

namespace mirvosys {

// IEEE single-precision bit pattern of milli / 1000, rounded to nearest
// (ties to even), exactly as the compiler would round the quotient.
uint32_t FloatBitsFromMilli(int32_t milli);

// The default card's signal on channel 0..3 at a time in milliseconds, in
// thousandths: each channel swings slowly (periods of 10 to 23 seconds)
// around a load of its own, like four loadcells under a swaying weight.
int32_t SignalMilli(unsigned channel, uint64_t milliseconds);

// Where a simulated card sits when its script names no address: a card named
// KVTn at the (n + 10)th candidate address, wrapping after 32 (KVT1 at 0x3A0,
// KVT2 at 0x3B0, ...), any other name at 0x3A0.
uint32_t DefaultCardAddress(const wchar_t *name);

}  // namespace mirvosys
