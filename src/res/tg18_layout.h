#pragma once
// Shared layout helpers of the TG18 generators. Layouts are written in the coordinates of the
// 1024 x 1024 images, with inclusive pixel ranges as the descriptions give them; a Layout maps
// them onto the picture at scale 1 or 2.

#include "res/bitmap_font.h"
#include "res/gray_image.h"
#include "res/tg18.h"

#include <cstdint>
#include <initializer_list>
#include <string_view>

namespace res {

constexpr int kSquareSide = 1024;
constexpr int kPortraitWidth = 2048;
constexpr int kPortraitHeight = 2560;
constexpr int kPortraitBand = 256;

struct Layout {
    GrayImage& image;
    int s;   // 1 for the 1024 version, 2 for the 2048 layout
    int top; // first row of the layout in the image: the band above the portrait version

    int X(int x) const { return x * s; }
    int Y(int y) const { return y * s + top; }
    int Len(int v) const { return v * s; }
    // The inclusive 1k box x0..x1, y0..y1, scaled: [x0 s, x1 s + s - 1].
    void Box(int x0, int y0, int x1, int y1, std::uint8_t value) const {
        image.FillBox(X(x0), Y(y0), X(x1) + s - 1, Y(y1) + s - 1, value);
    }
    // A one-pixel-wide outline of the box, thickness t (in 1k pixels).
    void Outline(int x0, int y0, int x1, int y1, int t, std::uint8_t value) const;
};

// The whole picture, filled with the background: 1024 x 1024, or 2048 x 2560 for the portrait
// version, whose 2048 x 2048 layout sits between 256-row bands.
GrayImage NewImage(Tg18Size size, std::uint8_t background);
Layout LayoutFor(GrayImage& image, Tg18Size size);

// One line of a label: its text and its style at the 1k size; the gap is the space above it.
struct LabelLine {
    std::string_view text;
    TextStyle style;
    int gapAbove = 0;
};

// Draws label lines centred, each line across and the whole label down, in the inclusive 1k box;
// styles and gaps are scaled with the layout. The 2048 layout gets one more line, "scaled", as
// the terms for scaled copies ask.
void DrawLabel(const Layout& layout, int x0, int y0, int x1, int y1,
               std::initializer_list<LabelLine> lines, std::uint8_t value);

} // namespace res
