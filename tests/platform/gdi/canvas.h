#pragma once
// A memory DC with its own bitmap, for drawing tests, and readable summaries of what was drawn.

#include "platform/gdi/dc.h"
#include "support/memory_frame.h"
#include "support/summary.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace gdi_test {

using Pixel = std::pair<int, int>; // (x, y)
using PixelSet = std::set<Pixel>;

// "a" for a single position, "a-b" for the positions a to b.
inline std::string Range(int first, int last) {
    return std::to_string(first) + (last > first ? "-" + std::to_string(last) : "");
}

class Canvas : public testing_support::MemoryFrame {
  public:
    Canvas(int width, int height, COLORREF fill = 0x000000)
        : MemoryFrame(width, height, fill), background(gdi::ToPixel(fill)) {}

    // The bitmap's pixels, with what the DC has queued drawn first.
    gdi::Surface& Surface() { return Pixels(); }
    int Width() { return Surface().Width(); }
    int Height() { return Surface().Height(); }
    std::uint32_t At(int x, int y) { return Surface().At(x, y); }

    // A solid pen and a solid brush for the shapes drawn next, owned by the canvas; without a
    // brush colour, the hollow brush.
    void Use(int penWidth, COLORREF penColour, std::optional<COLORREF> brushColour = std::nullopt) {
        pen_ = std::make_unique<CPen>(PS_SOLID, penWidth, penColour);
        dc.SelectObject(pen_.get());
        UseBrush(brushColour);
    }
    // The brush alone, with the null pen.
    void UseBrushOnly(COLORREF brushColour) {
        dc.SelectStockObject(NULL_PEN);
        UseBrush(brushColour);
    }

    // Sets every pixel (x, y) to value(x, y), as a source for copies.
    template <class Value> void Paint(Value value) {
        for (int y = 0; y < Height(); ++y) {
            for (int x = 0; x < Width(); ++x) {
                Surface().Set(x, y, value(x, y));
            }
        }
    }

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
        return testing_support::AsciiPicture(0, 0, Width() - 1, Height() - 1, [&](int x, int y) {
            return At(x, y) == background ? '.' : '#';
        });
    }

    // One text line per row with a letter per listed pixel value ('.' for the rest).
    std::string Picture(const std::vector<std::pair<std::uint32_t, char>>& legend) {
        return testing_support::AsciiPicture(0, 0, Width() - 1, Height() - 1, [&](int x, int y) {
            char c = '.';
            for (const auto& [value, letter] : legend) {
                if (At(x, y) == value) {
                    c = letter;
                }
            }
            return c;
        });
    }

    // The columns of row y that differ from the fill colour, as "a-b c d-e".
    std::string RowRuns(int y) {
        return ChangedRuns(Width(), [&](int x) { return At(x, y); });
    }

    // The same for column x.
    std::string ColumnRuns(int x) {
        return ChangedRuns(Height(), [&](int y) { return At(x, y); });
    }

    std::uint32_t background = 0;

  private:
    void UseBrush(std::optional<COLORREF> colour) {
        if (colour) {
            brush_ = std::make_unique<CBrush>(*colour);
            dc.SelectObject(brush_.get());
        } else {
            dc.SelectStockObject(NULL_BRUSH);
        }
    }

    template <class ValueAt> std::string ChangedRuns(int length, ValueAt value) {
        return testing_support::RunSummary(
            0, length - 1, [&](int i) { return value(i) != background; },
            [](bool changed, int first, int last) {
                return changed ? Range(first, last) : std::string();
            });
    }

    std::unique_ptr<CPen> pen_;
    std::unique_ptr<CBrush> brush_;
};

// Black ink drawn with R2_NOTXORPEN on the black fill: a pixel painted once turns white, painted
// again black, so a white shape shows that each of its pixels was painted exactly once. The
// brush is the hollow one.
struct ParityCanvas : Canvas {
    ParityCanvas(int width, int height, int penWidth) : Canvas(width, height) {
        Use(penWidth, 0x000000);
        dc.SetROP2(R2_NOTXORPEN);
    }
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
