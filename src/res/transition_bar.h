#pragma once
// The white-over-black transition bar of TG18-QC (also the start screen's banner): a white half
// above a black half, a 6-unit stripe of near-white / near-black down the middle, and in each
// half nine bars of the other colour, 3 units thick and 256, 128, ..., 1 units long, ending
// toward the middle on the left and starting there on the right. The white half has the longest
// bar on top, the black half at the bottom. The bars show streaking and ringing after sharp
// transitions. The picture is mirror-symmetric about its vertical centre line.

#include "res/gray_image.h"

namespace res {

struct TransitionBarGeometry {
    int width;      // 576 units
    int halfHeight; // rows of each half
    int unit;       // pixels per unit of length and thickness
    int margin;     // rows from the outer edge of each half to its first bar
};

void DrawTransitionBar(GrayImage& image, int x, int y, const TransitionBarGeometry& g);

} // namespace res
