// Pixels read from the screen and drawn here, for comparing what another
// process shows (its GDI objects cannot be read from here under Wine).
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace uiauto {

// 0x00RRGGBB pixels, top row first.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> data;
};

// A copy of the screen's rectangle; empty on failure.
Pixels CaptureScreen(const RECT &area);

// `icon` drawn at width x height over a plain `background` (0x00RRGGBB).
Pixels DrawIcon(HICON icon, int width, int height, std::uint32_t background);

}  // namespace uiauto
