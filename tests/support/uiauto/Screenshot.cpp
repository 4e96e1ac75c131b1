#include "ScreenPixels.h"
#include "UiAuto.h"

#include <fstream>

namespace uiauto {

bool SaveScreenshot(HWND window, const std::string &bmpPath) {
    RECT area;
    if (!IsWindow(window) || !GetWindowRect(window, &area)) return false;
    const Pixels pixels = CaptureScreen(area);
    if (pixels.data.empty()) return false;

    // A bottom-up 24-bit BMP, rows padded to four bytes.
    const int rowBytes = (pixels.width * 3 + 3) & ~3;
    const DWORD imageBytes = static_cast<DWORD>(rowBytes) * pixels.height;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    file.bfType = 0x4d42;  // "BM"
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + imageBytes;
    info.biSize = sizeof info;
    info.biWidth = pixels.width;
    info.biHeight = pixels.height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = imageBytes;

    std::ofstream out(bmpPath, std::ios::binary);
    out.write(reinterpret_cast<const char *>(&file), sizeof file);
    out.write(reinterpret_cast<const char *>(&info), sizeof info);
    std::string row(static_cast<size_t>(rowBytes), '\0');
    for (int y = pixels.height - 1; y >= 0; --y) {
        for (int x = 0; x < pixels.width; ++x) {
            const std::uint32_t p = pixels.data[static_cast<size_t>(y) * pixels.width + x];
            row[x * 3 + 0] = static_cast<char>(p & 0xff);
            row[x * 3 + 1] = static_cast<char>((p >> 8) & 0xff);
            row[x * 3 + 2] = static_cast<char>((p >> 16) & 0xff);
        }
        out.write(row.data(), row.size());
    }
    return static_cast<bool>(out);
}

}  // namespace uiauto
