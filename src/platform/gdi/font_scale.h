#pragma once
// From font units to whole pixels for one requested font height, in exact integer arithmetic
// so that the same font and height give the same pixels everywhere.

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace gdi {

class FontScale {
  public:
    // Heights beyond this many pixels are served at this size; no screen shows a bigger line.
    static constexpr int kMaxPixels = 1024;
    // CreateFont's height 0 asks for the default size: the system font's cell.
    static constexpr int kDefaultCell = 16;

    // A positive height is the cell, which the font spans with cellUnits (win ascent + win
    // descent); a negative height is the em of unitsPerEm.
    static FontScale ForHeight(int height, int cellUnits, int unitsPerEm) {
        const bool cell = height >= 0;
        long long pixels = height == 0 ? kDefaultCell : std::llabs(static_cast<long long>(height));
        pixels = std::min<long long>(pixels, kMaxPixels);
        return FontScale(pixels, std::max(1, cell ? cellUnits : unitsPerEm), cell);
    }

    // a / b rounded to the nearest integer, halves upwards; b > 0.
    static int RoundedRatio(long long a, long long b) {
        const long long twice = 2 * a + b;
        const long long q = twice / (2 * b);
        return static_cast<int>(twice % (2 * b) < 0 ? q - 1 : q);
    }

    // units / divisor scaled to pixels and rounded half up.
    int Pixels(long long units, long long divisor = 1) const {
        return RoundedRatio(units * num_, den_ * divisor);
    }

    // The em in 26.6 fixed-point pixels, as FreeType takes it.
    long long Em26Dot6(int unitsPerEm) const {
        return RoundedRatio(64LL * unitsPerEm * num_, den_);
    }

    // Ascent and descent in pixels. A requested cell is kept exactly: the descent is what the
    // rounded ascent leaves of it.
    std::pair<int, int> AscentDescent(int ascentUnits, int descentUnits) const {
        const int ascent = Pixels(ascentUnits);
        if (cell_) {
            const int height = static_cast<int>(num_);
            return {std::clamp(ascent, 0, height), height - std::clamp(ascent, 0, height)};
        }
        return {ascent, Pixels(descentUnits)};
    }

  private:
    FontScale(long long num, long long den, bool cell) : num_(num), den_(den), cell_(cell) {}
    long long num_;
    long long den_;
    bool cell_;
};

} // namespace gdi
