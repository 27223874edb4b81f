#pragma once
// The resolution block of TG18-QC: inside a frame of 64, four columns and three rows of areas.
// The top row holds Cx glyphs with one-pixel modules on black at four levels (255, 191, 128,
// 64); the middle row vertical line pairs, the bottom row horizontal ones, each as 1-pixel and
// 2-pixel pairs at full contrast (255/0) and at low contrast (130/128), left to right.

#include "res/gray_image.h"

#include <array>

namespace res {

struct ResolutionBlockGeometry {
    int frame = 2;
    std::array<int, 4> columnWidths{46, 46, 46, 46};
    std::array<int, 3> rowHeights{46, 46, 46};
    // Offsets of the four glyph columns and rows within each top-row area.
    std::array<int, 4> glyphX{6, 15, 25, 34};
    std::array<int, 4> glyphY{6, 15, 25, 34};

    int Width() const;
    int Height() const;
};

// The block as drawn in the 1024 image (188 x 142).
ResolutionBlockGeometry SquareResolutionBlock();
// The block of the 2048 layout (376 x 284): positions doubled, glyphs and line pairs still one
// pixel.
ResolutionBlockGeometry DoubledResolutionBlock();

GrayImage MakeResolutionBlock(const ResolutionBlockGeometry& geometry);

} // namespace res
