#include "res/tg18_layout.h"

#include <vector>

namespace res {

namespace {

constexpr LabelLine kScaledLine{"scaled", TextStyle{1, 1}, 4};

TextStyle Scaled(TextStyle style, int s) {
    return TextStyle{style.scale * s, style.bold * s};
}

} // namespace

void Layout::Outline(int x0, int y0, int x1, int y1, int t, std::uint8_t value) const {
    Box(x0, y0, x1, y0 + t - 1, value);
    Box(x0, y1 - t + 1, x1, y1, value);
    Box(x0, y0, x0 + t - 1, y1, value);
    Box(x1 - t + 1, y0, x1, y1, value);
}

GrayImage NewImage(Tg18Size size, std::uint8_t background) {
    if (size == Tg18Size::Square1024) {
        return GrayImage(kSquareSide, kSquareSide, background);
    }
    return GrayImage(kPortraitWidth, kPortraitHeight, background);
}

Layout LayoutFor(GrayImage& image, Tg18Size size) {
    if (size == Tg18Size::Square1024) {
        return Layout{image, 1, 0};
    }
    return Layout{image, 2, kPortraitBand};
}

void DrawLabel(const Layout& layout, int x0, int y0, int x1, int y1,
               std::initializer_list<LabelLine> lines, std::uint8_t value) {
    const int s = layout.s;
    std::vector<LabelLine> all(lines);
    if (s > 1) {
        all.push_back(kScaledLine);
    }
    int height = 0;
    for (const LabelLine& line : all) {
        height += (line.gapAbove + CapHeight(line.style)) * s;
    }
    int y = layout.Y(y0) + ((y1 - y0 + 1) * s - height) / 2;
    for (const LabelLine& line : all) {
        y += line.gapAbove * s;
        const TextStyle style = Scaled(line.style, s);
        DrawTextCentred(layout.image, x0 * s, x1 * s + s - 1, y, line.text, style, value);
        y += CapHeight(style);
    }
}

} // namespace res
