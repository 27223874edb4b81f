#include "res/cx_glyph.h"

#include "res/bitmap_font.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

namespace res {

namespace {

// The cell in 1k pixels: 101 square; glyphs of 5-pixel modules at offsets 10 and 55 (which puts
// all four on one 16 x 16 module grid from offset 10); a 16-pixel score box in the corner. The
// outermost 3 pixels stay black so neighbouring cells do not run into each other.
constexpr int kCellSide = 101;
constexpr int kModule = 5;
constexpr int kGridOrigin = 10;
constexpr int kGridModules = 16;
constexpr int kScoreBox = 16;
constexpr int kMargin = 3;

struct CellGlyph {
    int mx, my; // module position on the 16 x 16 grid
    OpenSide open;
};
constexpr std::array<CellGlyph, 4> kCellGlyphs{{{0, 0, OpenSide::Right},
                                                {9, 0, OpenSide::Bottom},
                                                {0, 9, OpenSide::Bottom},
                                                {9, 9, OpenSide::Left}}};

using ModuleGrid = std::array<std::array<bool, kGridModules>, kGridModules>; // [row][column]

ModuleGrid CellModules() {
    ModuleGrid grid{};
    for (const CellGlyph& g : kCellGlyphs) {
        for (int my = 0; my < kCxModules; ++my) {
            for (int mx = 0; mx < kCxModules; ++mx) {
                grid[g.my + my][g.mx + mx] = CxInk(g.open, mx, my);
            }
        }
    }
    return grid;
}

// A point spread function that separates into the same profile across and down, so the blur of
// a module (a square) is the product of two one-dimensional box integrals.
struct Blur {
    enum Kind { Gaussian, Laplace } kind;
    double width; // sigma of the Gaussian, scale of the Laplace distribution, in 1k pixels
    double gain;
    // Share of a module spanning [a, a + m) that lands on the pixel centred at c.
    double Share(double c, double a, double m) const { return Cdf(c - a) - Cdf(c - a - m); }
    double Cdf(double t) const {
        const double z = t / width;
        if (kind == Gaussian) {
            return 0.5 * std::erfc(-z / std::sqrt(2.0));
        }
        return z < 0 ? 0.5 * std::exp(z) : 1.0 - 0.5 * std::exp(-z);
    }
};

// The Gaussian whose blur of an endless one-module stroke peaks at `peak` out of 255.
double SigmaForStrokePeak(double peak) {
    const double target = peak / 255.0;
    double lo = 0.05;
    double hi = 50.0;
    for (int i = 0; i < 100; ++i) {
        const double mid = 0.5 * (lo + hi);
        const double p = std::erf(kModule / 2.0 / (mid * std::sqrt(2.0)));
        (p > target ? lo : hi) = mid;
    }
    return 0.5 * (lo + hi);
}

// The published stroke peaks of scores 1..9.
constexpr std::array<double, 9> kStrokePeaks{250, 230, 214, 201, 190, 180, 171, 164, 157};

// Scores -1 and -2: a moderately sharp core over a wide halo, fitted to the published core
// (about 206) and halo (45 to 120) levels.
std::array<Blur, 2> HaloBlur(int score) {
    if (score == -1) {
        return {Blur{Blur::Gaussian, 2.2, 0.49}, Blur{Blur::Laplace, 8.0, 1.37}};
    }
    return {Blur{Blur::Gaussian, 2.8, 0.69}, Blur{Blur::Laplace, 20.0, 1.95}};
}

void DrawBlurredModules(GrayImage& image, int x, int y, int s, const Blur* blurs, int count) {
    static const ModuleGrid grid = CellModules();
    const int side = kCellSide * s;
    const int module = kModule * s;
    const int first = kMargin * s;
    const int last = side - kMargin * s - 1;
    std::vector<double> value(static_cast<std::size_t>(side) * side, 0.0);
    std::vector<double> across(static_cast<std::size_t>(kGridModules) * side);
    std::array<double, kGridModules> rowWeight{};
    for (int b = 0; b < count; ++b) {
        Blur blur = blurs[b];
        blur.width *= s;
        // One profile per module column serves across and down alike.
        for (int m = 0; m < kGridModules; ++m) {
            const double a = kGridOrigin * s + m * module;
            for (int p = 0; p < side; ++p) {
                across[static_cast<std::size_t>(m) * side + p] = blur.Share(p + 0.5, a, module);
            }
        }
        for (int py = first; py <= last; ++py) {
            for (int mx = 0; mx < kGridModules; ++mx) {
                double w = 0;
                for (int my = 0; my < kGridModules; ++my) {
                    if (grid[my][mx]) {
                        w += across[static_cast<std::size_t>(my) * side + py];
                    }
                }
                rowWeight[mx] = w * blur.gain;
            }
            double* out = &value[static_cast<std::size_t>(py) * side];
            for (int mx = 0; mx < kGridModules; ++mx) {
                if (rowWeight[mx] == 0) {
                    continue;
                }
                const double* profile = &across[static_cast<std::size_t>(mx) * side];
                for (int px = first; px <= last; ++px) {
                    out[px] += rowWeight[mx] * profile[px];
                }
            }
        }
    }
    for (int py = first; py <= last; ++py) {
        for (int px = first; px <= last; ++px) {
            const double v = 255.0 * value[static_cast<std::size_t>(py) * side + px];
            image.Set(x + px, y + py,
                      static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L)));
        }
    }
}

} // namespace

bool CxInk(OpenSide open, int mx, int my) {
    const bool centre = (mx == 2 || mx == 4) ? (my == 2 || my == 4) : (mx == 3 && my == 3);
    if (centre) {
        return true;
    }
    const int last = kCxModules - 1;
    const bool ring = mx == 0 || my == 0 || mx == last || my == last;
    if (!ring) {
        return false;
    }
    // The open side loses its inner modules; its two corners stay.
    const bool innerX = mx > 0 && mx < last;
    const bool innerY = my > 0 && my < last;
    switch (open) {
    case OpenSide::Right:
        return !(mx == last && innerY);
    case OpenSide::Left:
        return !(mx == 0 && innerY);
    case OpenSide::Bottom:
        return !(my == last && innerX);
    case OpenSide::Top:
        return !(my == 0 && innerX);
    }
    return true;
}

void DrawCxGlyph(GrayImage& image, int x, int y, int module, OpenSide open, std::uint8_t value) {
    for (int my = 0; my < kCxModules; ++my) {
        for (int mx = 0; mx < kCxModules; ++mx) {
            if (CxInk(open, mx, my)) {
                image.FillBox(x + mx * module, y + my * module, x + (mx + 1) * module - 1,
                              y + (my + 1) * module - 1, value);
            }
        }
    }
}

void DrawCxReferenceCell(GrayImage& image, int x, int y, int s, int score) {
    const int side = kCellSide * s;
    image.FillBox(x, y, x + side - 1, y + side - 1, 0);
    if (score == 0) {
        for (const CellGlyph& g : kCellGlyphs) {
            DrawCxGlyph(image, x + (kGridOrigin + g.mx * kModule) * s,
                        y + (kGridOrigin + g.my * kModule) * s, kModule * s, g.open, 255);
        }
    } else if (score > 0) {
        const Blur blur{Blur::Gaussian, SigmaForStrokePeak(kStrokePeaks[score - 1]), 1.0};
        DrawBlurredModules(image, x, y, s, &blur, 1);
    } else {
        const std::array<Blur, 2> blurs = HaloBlur(score);
        DrawBlurredModules(image, x, y, s, blurs.data(), 2);
    }
    const int box = kScoreBox * s;
    const int bx = x + side - box;
    const int by = y + side - box;
    image.FillBox(bx, by, x + side - 1, y + side - 1, 128);
    const std::string text = std::to_string(score);
    const TextStyle style{s, s};
    DrawTextCentred(image, bx, bx + box - 1, by + (box - CapHeight(style)) / 2, text, style, 0);
}

} // namespace res
