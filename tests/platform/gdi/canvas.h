#pragma once
// A memory DC with its own bitmap, for drawing tests, and readable summaries of what was drawn.

#include "platform/gdi/dc.h"

#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace gdi_test {

using Pixel = std::pair<int, int>; // (x, y)
using PixelSet = std::set<Pixel>;

class Canvas {
  public:
    Canvas(int width, int height, COLORREF fill = 0x000000) {
        dc.CreateCompatibleDC(nullptr);
        bitmap.CreateCompatibleBitmap(&dc, width, height);
        dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, width, height, fill);
        background = gdi::ToPixel(fill);
    }

    // The bitmap's pixels, with what the DC has queued drawn first.
    gdi::Surface& Surface() {
        gdi::FlushAll();
        return *static_cast<HBITMAP>(bitmap.m_hObject)->surface;
    }
    int Width() { return Surface().Width(); }
    int Height() { return Surface().Height(); }
    std::uint32_t At(int x, int y) { return Surface().At(x, y); }

    // Every pixel that differs from the fill colour.
    PixelSet Changed() {
        PixelSet out;
        for (int y = 0; y < Height(); ++y) {
            for (int x = 0; x < Width(); ++x) {
                if (At(x, y) != background) {
                    out.insert({x, y});
                }
            }
        }
        return out;
    }

    // One text line per row: '.' for the fill colour, '#' for anything else.
    std::string Picture() {
        std::string out;
        for (int y = 0; y < Height(); ++y) {
            for (int x = 0; x < Width(); ++x) {
                out += At(x, y) == background ? '.' : '#';
            }
            out += '\n';
        }
        return out;
    }

    // One text line per row with a letter per listed pixel value ('.' for the rest).
    std::string Picture(const std::vector<std::pair<std::uint32_t, char>>& legend) {
        std::string out;
        for (int y = 0; y < Height(); ++y) {
            for (int x = 0; x < Width(); ++x) {
                char c = '.';
                for (const auto& [value, letter] : legend) {
                    if (At(x, y) == value) {
                        c = letter;
                    }
                }
                out += c;
            }
            out += '\n';
        }
        return out;
    }

    // The columns of row y that differ from the fill colour, as "a-b c d-e".
    std::string RowRuns(int y) {
        std::string out;
        int x = 0;
        while (x < Width()) {
            if (At(x, y) == background) {
                ++x;
                continue;
            }
            int end = x;
            while (end + 1 < Width() && At(end + 1, y) != background) {
                ++end;
            }
            out += (out.empty() ? "" : " ") + std::to_string(x) +
                   (end > x ? "-" + std::to_string(end) : "");
            x = end + 1;
        }
        return out;
    }

    // The same for column x.
    std::string ColumnRuns(int x) {
        std::string out;
        int y = 0;
        while (y < Height()) {
            if (At(x, y) == background) {
                ++y;
                continue;
            }
            int end = y;
            while (end + 1 < Height() && At(x, end + 1) != background) {
                ++end;
            }
            out += (out.empty() ? "" : " ") + std::to_string(y) +
                   (end > y ? "-" + std::to_string(end) : "");
            y = end + 1;
        }
        return out;
    }

    CBitmap bitmap; // declared first so that the DC lets go of it before it is deleted
    CDC dc;
    std::uint32_t background = 0;
};

// Joins picture rows given one per argument, for comparison with Canvas::Picture.
inline std::string Rows(std::initializer_list<const char*> rows) {
    std::string out;
    for (const char* r : rows) {
        out += r;
        out += '\n';
    }
    return out;
}

} // namespace gdi_test
