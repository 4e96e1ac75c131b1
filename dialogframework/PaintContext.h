// The device context of one WM_PAINT: BeginPaint when made, EndPaint when
// it goes, so the window is validated on every way out of a paint handler.
#pragma once

#include <windows.h>

#include "Window.h"

namespace dialogframework {

class PaintContext {
public:
    explicit PaintContext(const Window &window);
    ~PaintContext();
    PaintContext(const PaintContext &) = delete;
    PaintContext &operator=(const PaintContext &) = delete;

    HDC Handle() const { return paint_.hdc; }
    bool DrawIconAt(int x, int y, HICON icon) const;

private:
    HWND window_;
    PAINTSTRUCT paint_ = {};
};

// Where a minimised window draws its icon in its client area: centred, the
// odd pixel to the right and below, truncated toward zero when the icon is
// larger than the area.
POINT CentredIconOrigin(const RECT &client, int iconWidth, int iconHeight);

}  // namespace dialogframework
