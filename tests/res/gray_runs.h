#pragma once
// Readable summaries of gray pictures for the resource tests.

#include "res/gray_image.h"

#include <set>
#include <string>

namespace res_test {

// "value*count" runs of row y over the inclusive columns x0..x1, e.g. "128*9 191*3".
inline std::string RowRuns(const res::GrayImage& g, int y, int x0, int x1) {
    std::string out;
    int x = x0;
    while (x <= x1) {
        const int v = g.At(x, y);
        int n = 0;
        while (x <= x1 && g.At(x, y) == v) {
            ++x;
            ++n;
        }
        out += (out.empty() ? "" : " ") + std::to_string(v) + "*" + std::to_string(n);
    }
    return out;
}

inline std::string RowRuns(const res::GrayImage& g, int y) {
    return RowRuns(g, y, 0, g.Width() - 1);
}

// The same down column x over the inclusive rows y0..y1.
inline std::string ColumnRuns(const res::GrayImage& g, int x, int y0, int y1) {
    std::string out;
    int y = y0;
    while (y <= y1) {
        const int v = g.At(x, y);
        int n = 0;
        while (y <= y1 && g.At(x, y) == v) {
            ++y;
            ++n;
        }
        out += (out.empty() ? "" : " ") + std::to_string(v) + "*" + std::to_string(n);
    }
    return out;
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
    std::string out;
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            out += g.At(x, y) == ink ? '#' : '.';
        }
        out += '\n';
    }
    return out;
}

// Whether the inclusive box holds a single level.
inline bool Uniform(const res::GrayImage& g, int x0, int y0, int x1, int y1, int level) {
    return Levels(g, x0, y0, x1, y1) == std::set<int>{level};
}

} // namespace res_test
