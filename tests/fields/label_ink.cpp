#include "label_ink.h"

#include <algorithm>
#include <climits>

namespace fields_test {

namespace {

TextLine LevelLine(int steps, int width, int bottom) {
    return {"Level:" + std::to_string(steps), width / 2, (8 * bottom) / 9};
}

COLORREF GrayOf(int level) {
    return static_cast<COLORREF>(level & 0xFF) * 0x010101u;
}

} // namespace

std::vector<TextLine> LabelLines(const LabelledFrame& f) {
    const RECT all{0, 0, f.width, f.height};
    switch (f.id) {
    case 13:
        // An odd gray level pushes the label below the screen.
        return {LevelLine(f.steps, f.width, f.gray % 2 ? 2 * f.height : f.height)};
    case 30:
    case 31:
        return {LevelLine(f.steps, f.width, f.height)};
    case 29:
        return ValueLabel(all, GrayOf(f.gray));
    case 33:
    case 34: {
        const int left = f.id == 33 ? std::min(f.gray, 254) : std::max(f.gray, 1);
        const int right = f.id == 33 ? left + 1 : left - 1;
        std::vector<TextLine> lines = ValueLabel({0, 0, f.width / 2, f.height}, GrayOf(left));
        const std::vector<TextLine> more =
            ValueLabel({f.width / 2, 0, f.width, f.height}, GrayOf(right));
        lines.insert(lines.end(), more.begin(), more.end());
        return lines;
    }
    default: {
        static constexpr COLORREF kColours[] = {0x404040, 0x7F7F7F, 0xA0A0A0, 0xC0C0C0, 0xFFFFFF,
                                                0x000000, 0x0000FF, 0x00FF00, 0xFF0000};
        return ValueLabel(all, kColours[f.id - 20]);
    }
    }
}

std::vector<LabelledFrame> LabelledFrames() {
    std::vector<LabelledFrame> frames;
    for (auto [w, h] : {std::pair{1920, 1080}, {1023, 767}}) {
        frames.push_back({13, 48, 128, w, h});
        frames.push_back({13, 200, 8, w, h});
        for (int id = 20; id <= 28; ++id) {
            frames.push_back({id, 0, 128, w, h});
        }
        for (int id : {29, 33, 34}) {
            frames.push_back({id, 48, 128, w, h});
            frames.push_back({id, 200, 128, w, h});
        }
        frames.push_back({30, 0, 128, w, h});
        frames.push_back({31, 0, 8, w, h});
    }
    return frames;
}

RECT InkBox(const gdi::Surface& labelled, const gdi::Surface& bare, const RECT& cell) {
    RECT box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    const int x0 = std::max<int>(cell.left, 0), x1 = std::min<int>(cell.right, bare.Width());
    const int y0 = std::max<int>(cell.top, 0), y1 = std::min<int>(cell.bottom, bare.Height());
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            if (labelled.At(x, y) != bare.At(x, y)) {
                box.left = std::min<LONG>(box.left, x);
                box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x + 1);
                box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
        }
    }
    return box.left == INT_MAX ? RECT{0, 0, 0, 0} : box;
}

RECT CellOf(const TextLine& line) {
    const SIZE size = Measure(line.text);
    return RECT{line.x, line.y, line.x + size.cx, line.y + size.cy};
}

} // namespace fields_test
