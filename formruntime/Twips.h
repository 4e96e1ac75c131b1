// Twips, the form's unit of layout (1/1440 inch), and their pixels on a
// display with a given number of logical pixels per inch. Pure: no Windows
// header, so the rule can be checked anywhere.
#pragma once

namespace formrt {

constexpr int kTwipsPerInch = 1440;

// A rectangle in twips: left and top relative to the form's client area.
struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// The nearest whole pixel; an exact half pixel goes away from zero, so
// 3732 twips are 249 pixels at 96 dpi and 311 at 120.
int TwipsToPixels(int twips, int pixelsPerInch);

// Each of the four values on its own: horizontal ones with the display's
// horizontal pixels per inch, vertical ones with its vertical.
PixelRect TwipsToPixels(const TwipsRect &twips, int pixelsPerInchX, int pixelsPerInchY);

}  // namespace formrt
