#include "Twips.h"

namespace formrt {

int TwipsToPixels(int twips, int pixelsPerInch) {
    // 64 bits: twips times dpi overflows 32 bits for large layouts.
    const long long scaled = static_cast<long long>(twips) * pixelsPerInch;
    const long long half = kTwipsPerInch / 2;
    const long long pixels = scaled >= 0 ? (scaled + half) / kTwipsPerInch : -((-scaled + half) / kTwipsPerInch);
    return static_cast<int>(pixels);
}

PixelRect TwipsToPixels(const TwipsRect &twips, int pixelsPerInchX, int pixelsPerInchY) {
    return {TwipsToPixels(twips.left, pixelsPerInchX), TwipsToPixels(twips.top, pixelsPerInchY),
            TwipsToPixels(twips.width, pixelsPerInchX), TwipsToPixels(twips.height, pixelsPerInchY)};
}

}  // namespace formrt
