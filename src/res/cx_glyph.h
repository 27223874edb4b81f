#pragma once
// The Cx glyph of TG18-QC: a 7 x 7 module square outline open on one side, a one-module gap,
// and a small X of five modules in the middle. The resolution blocks show it with one-pixel
// modules; the blur-reference cells show it enlarged, sharp and at nine increasing blurs, so an
// observer can score a display's blur by matching the two.

#include "res/gray_image.h"

#include <cstdint>

namespace res {

enum class OpenSide { Right, Bottom, Left, Top };

constexpr int kCxModules = 7;

bool CxInk(OpenSide open, int mx, int my);

// Writes the glyph's ink modules (module x module pixels each) with its top-left at (x, y);
// the other pixels are left alone.
void DrawCxGlyph(GrayImage& image, int x, int y, int module, OpenSide open, std::uint8_t value);

// The blur-reference cell for a score: 0 sharp white, 1..9 increasingly blurred, -1 and -2 a
// sharp core with a wide low halo. side x side pixels with its top-left at (x, y): black, four
// glyphs of 5 s-pixel modules, and the score in a box of 128 in the bottom-right corner. s is the
// layout scale (1 at 1024, 2 at 2048).
void DrawCxReferenceCell(GrayImage& image, int x, int y, int s, int score);

} // namespace res
