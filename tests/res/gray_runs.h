#pragma once
// Readable summaries of gray pictures for the resource tests.

#include "res/gray_image.h"
#include "res/tg18.h"
#include "support/summary.h"

#include <set>
#include <string>

namespace res_test {

// "value*count" runs of value(i) for i = first..last, e.g. "128*9 191*3".
template <class ValueAt> std::string LevelRuns(int first, int last, ValueAt value) {
    return testing_support::RunSummary(first, last, value, [](int v, int from, int to) {
        return std::to_string(v) + "*" + std::to_string(to - from + 1);
    });
}

// The runs of row y over the inclusive columns x0..x1.
inline std::string RowRuns(const res::GrayImage& g, int y, int x0, int x1) {
    return LevelRuns(x0, x1, [&](int x) { return g.At(x, y); });
}

inline std::string RowRuns(const res::GrayImage& g, int y) {
    return RowRuns(g, y, 0, g.Width() - 1);
}

// The same down column x over the inclusive rows y0..y1.
inline std::string ColumnRuns(const res::GrayImage& g, int x, int y0, int y1) {
    return LevelRuns(y0, y1, [&](int y) { return g.At(x, y); });
}

// The distinct levels in the inclusive box.
inline std::set<int> Levels(const res::GrayImage& g, int x0, int y0, int x1, int y1) {
    std::set<int> levels;
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            levels.insert(g.At(x, y));
        }
    }
    return levels;
}

// An ASCII picture of the inclusive box: '#' where the pixel is ink, '.' elsewhere.
inline std::string Picture(const res::GrayImage& g, int x0, int y0, int x1, int y1, int ink) {
    return testing_support::AsciiPicture(
        x0, y0, x1, y1, [&](int x, int y) { return g.At(x, y) == ink ? '#' : '.'; });
}

// Whether the inclusive box holds a single level.
inline bool Uniform(const res::GrayImage& g, int x0, int y0, int x1, int y1, int level) {
    return Levels(g, x0, y0, x1, y1) == std::set<int>{level};
}

// The image Make makes at a size, made once for the whole test binary: making one takes a while.
template <res::GrayImage (*Make)(res::Tg18Size)> const res::GrayImage& Made(res::Tg18Size size) {
    if (size == res::Tg18Size::Square1024) {
        static const res::GrayImage square = Make(size);
        return square;
    }
    static const res::GrayImage portrait = Make(size);
    return portrait;
}

} // namespace res_test
