#include "ChartView.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "ChartScale.h"
#include "UniqueHandle.h"

namespace kvtmon {

namespace {

COLORREF ToColorRef(std::uint32_t rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

const ChartPicture *PictureOf(HWND chart) {
    return reinterpret_cast<const ChartPicture *>(GetWindowLongPtrA(chart, GWLP_USERDATA));
}

AxisRange RangeOf(const ChartPicture &picture) {
    if (picture.fixedRange) return FixedRange(picture.fixedLow, picture.fixedHigh);
    double low = INFINITY, high = -INFINITY;
    for (const ChartPoint &point : picture.history.Points()) {
        for (int channel = 0; channel < kChannels; ++channel) {
            const double weight = picture.zeros.Apply(channel, point.weights[channel]);
            if (!std::isfinite(weight)) continue;
            low = std::fmin(low, weight);
            high = std::fmax(high, weight);
        }
    }
    return AutoRange(low, high);
}

void PutText(HDC dc, int x, int y, const std::string &text, UINT align) {
    SetTextAlign(dc, align);
    TextOutA(dc, x, y, text.c_str(), static_cast<int>(text.size()));
}

std::string TickText(double tick, double step) {
    // As many decimals as the step needs, no more.
    int decimals = 0;
    while (decimals < 6 && std::fabs(step * std::pow(10.0, decimals) - std::round(step * std::pow(10.0, decimals))) > 1e-6)
        ++decimals;
    char text[64];
    if (std::fabs(tick) >= 1e7) {
        std::snprintf(text, sizeof text, "%.2g", tick);
    } else {
        std::snprintf(text, sizeof text, "%.*f", decimals, tick);
    }
    return text;
}

void DrawLegend(HDC dc, const RECT &plot) {
    // Each entry as wide as its text in the font at hand, so that no name
    // runs into the next swatch, whatever the font and the dpi.
    int x = plot.left;
    for (int channel = 0; channel < kChannels; ++channel) {
        kit::Brush swatch(CreateSolidBrush(ToColorRef(kChannelColours[channel])));
        RECT box{x, 6, x + kLegendSwatch, 16};
        FillRect(dc, &box, swatch.get());
        const std::string name = "Channel " + std::to_string(channel + 1);
        PutText(dc, x + kLegendSwatch + kLegendGap, 4, name, TA_LEFT | TA_TOP);
        SIZE text = {};
        GetTextExtentPoint32A(dc, name.c_str(), static_cast<int>(name.size()), &text);
        x += kLegendSwatch + kLegendGap + text.cx + kLegendSpacing;
    }
}

void DrawAxes(HDC dc, const RECT &plot, const AxisRange &range) {
    kit::Pen grid(CreatePen(PS_SOLID, 1, ToColorRef(kChartGrid)));
    HGDIOBJ old = SelectObject(dc, grid.get());
    for (double tick : AxisTicks(range)) {
        const int row = WeightToRow(range, tick, plot.top, plot.bottom);
        MoveToEx(dc, plot.left, row, nullptr);
        LineTo(dc, plot.right, row);
        PutText(dc, plot.left - 4, row - 7, TickText(tick, range.step), TA_RIGHT | TA_TOP);
    }
    for (int second = 0; second <= static_cast<int>(kChartSpanMs / 1000); second += 2) {
        const int column = AgeToColumn(second * 1000.0, kChartSpanMs, plot.left, plot.right);
        MoveToEx(dc, column, plot.top, nullptr);
        LineTo(dc, column, plot.bottom);
        PutText(dc, column, plot.bottom + 3, second == 0 ? "0 s" : "-" + std::to_string(second), TA_CENTER | TA_TOP);
    }
    SelectObject(dc, old);
    // The frame over the grid.
    FrameRect(dc, &plot, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

void DrawLines(HDC dc, const RECT &plot, const ChartPicture &picture, const AxisRange &range) {
    const auto &points = picture.history.Points();
    if (points.empty()) return;
    const std::uint32_t newest = points.back().timeMs;
    std::vector<POINT> line(points.size());
    HRGN clip = CreateRectRgn(plot.left + 1, plot.top + 1, plot.right - 1, plot.bottom - 1);
    SelectClipRgn(dc, clip);
    DeleteObject(clip);
    for (int channel = 0; channel < kChannels; ++channel) {
        std::size_t count = 0;
        for (const ChartPoint &point : points) {
            const double weight = picture.zeros.Apply(channel, point.weights[channel]);
            if (std::isnan(weight)) continue;
            line[count].x = AgeToColumn(newest - point.timeMs, kChartSpanMs, plot.left, plot.right);
            line[count].y = WeightToRow(range, weight, plot.top, plot.bottom);
            ++count;
        }
        kit::Pen pen(CreatePen(PS_SOLID, kChartLineWidth, ToColorRef(kChannelColours[channel])));
        HGDIOBJ old = SelectObject(dc, pen.get());
        if (count == 1) {
            // One point is a short dash, not nothing.
            MoveToEx(dc, line[0].x - 3, line[0].y, nullptr);
            LineTo(dc, line[0].x, line[0].y);
        } else if (count > 1) {
            Polyline(dc, line.data(), static_cast<int>(count));
        }
        SelectObject(dc, old);
    }
    SelectClipRgn(dc, nullptr);
}

void Draw(HWND chart, HDC dc, const RECT &client) {
    kit::Brush background(CreateSolidBrush(ToColorRef(kChartBackground)));
    FillRect(dc, &client, background.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ToColorRef(kChartText));
    HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(GetParent(chart), WM_GETFONT, 0, 0)));
    const RECT plot{client.left + kChartLeftMargin, client.top + kChartTopMargin, client.right - kChartRightMargin,
                    client.bottom - kChartBottomMargin};
    const ChartPicture *picture = PictureOf(chart);
    DrawLegend(dc, plot);
    if (plot.right > plot.left && plot.bottom > plot.top) {
        const AxisRange range = picture ? RangeOf(*picture) : AxisRange{};
        DrawAxes(dc, plot, range);
        if (picture) DrawLines(dc, plot, *picture, range);
    }
    SelectObject(dc, oldFont);
}

void OnPaint(HWND chart) {
    PAINTSTRUCT paint;
    HDC screen = BeginPaint(chart, &paint);
    RECT client;
    GetClientRect(chart, &client);
    // Drawn off screen and copied in one go: no flicker.
    kit::MemoryDc memory(CreateCompatibleDC(screen));
    kit::Bitmap bitmap(CreateCompatibleBitmap(screen, client.right, client.bottom));
    if (memory && bitmap) {
        HGDIOBJ old = SelectObject(memory.get(), bitmap.get());
        Draw(chart, memory.get(), client);
        BitBlt(screen, 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
        SelectObject(memory.get(), old);
    }
    EndPaint(chart, &paint);
}

LRESULT CALLBACK ChartWindowProc(HWND chart, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;  // the paint covers every pixel
    case WM_PAINT:
        OnPaint(chart);
        return 0;
    default:
        return DefWindowProcA(chart, message, wParam, lParam);
    }
}

}  // namespace

ATOM RegisterChartClass(HINSTANCE instance) {
    WNDCLASSEXA chartClass = {};
    chartClass.cbSize = sizeof chartClass;
    chartClass.lpfnWndProc = ChartWindowProc;
    chartClass.hInstance = instance;
    chartClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    chartClass.lpszClassName = kChartClassName;
    return RegisterClassExA(&chartClass);
}

void SetChartPicture(HWND chart, const ChartPicture *picture) {
    SetWindowLongPtrA(chart, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(picture));
    InvalidateRect(chart, nullptr, FALSE);
}

}  // namespace kvtmon
