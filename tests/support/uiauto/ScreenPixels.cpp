#include "ScreenPixels.h"

#include <cstring>

namespace uiauto {

namespace {

// A 32-bit top-down DIB section selected into a memory DC, released in reverse.
class Canvas {
public:
    Canvas(int width, int height) : width_(width), height_(height) {
        HDC screen = GetDC(nullptr);
        dc_ = CreateCompatibleDC(screen);
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        bitmap_ = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
        ReleaseDC(nullptr, screen);
        if (dc_ && bitmap_) previous_ = SelectObject(dc_, bitmap_);
    }
    ~Canvas() {
        if (previous_) SelectObject(dc_, previous_);
        if (bitmap_) DeleteObject(bitmap_);
        if (dc_) DeleteDC(dc_);
    }
    Canvas(const Canvas &) = delete;
    Canvas &operator=(const Canvas &) = delete;

    bool Ok() const { return previous_ != nullptr && bits_ != nullptr; }
    HDC Dc() const { return dc_; }
    Pixels Read() const {
        GdiFlush();
        Pixels pixels{width_, height_, std::vector<std::uint32_t>(static_cast<size_t>(width_) * height_)};
        std::memcpy(pixels.data.data(), bits_, pixels.data.size() * sizeof(std::uint32_t));
        for (auto &p : pixels.data) p &= 0x00ffffff;
        return pixels;
    }

private:
    int width_, height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    void *bits_ = nullptr;
};

}  // namespace

Pixels CaptureScreen(const RECT &area) {
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return {};
    Canvas canvas(width, height);
    if (!canvas.Ok()) return {};
    HDC screen = GetDC(nullptr);
    const BOOL copied = BitBlt(canvas.Dc(), 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    return copied ? canvas.Read() : Pixels{};
}

Pixels DrawIcon(HICON icon, int width, int height, std::uint32_t background) {
    Canvas canvas(width, height);
    if (!canvas.Ok()) return {};
    // COLORREF is 0x00BBGGRR.
    HBRUSH brush = CreateSolidBrush(RGB((background >> 16) & 0xff, (background >> 8) & 0xff, background & 0xff));
    RECT all = {0, 0, width, height};
    FillRect(canvas.Dc(), &all, brush);
    DeleteObject(brush);
    if (!DrawIconEx(canvas.Dc(), 0, 0, icon, width, height, 0, nullptr, DI_NORMAL)) return {};
    return canvas.Read();
}

}  // namespace uiauto
