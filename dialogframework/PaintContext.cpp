#include "PaintContext.h"

namespace dialogframework {

PaintContext::PaintContext(const Window &window) : window_(window.Handle()) { BeginPaint(window_, &paint_); }

PaintContext::~PaintContext() {
    if (paint_.hdc) EndPaint(window_, &paint_);
}

bool PaintContext::DrawIconAt(int x, int y, HICON icon) const { return DrawIcon(paint_.hdc, x, y, icon) != FALSE; }

POINT CentredIconOrigin(const RECT &client, int iconWidth, int iconHeight) {
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    return {(width - iconWidth + 1) / 2, (height - iconHeight + 1) / 2};
}

}  // namespace dialogframework
