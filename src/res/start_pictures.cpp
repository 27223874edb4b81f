#include "res/start_pictures.h"

#include "res/resolution_block.h"
#include "res/tg18.h"
#include "res/transition_bar.h"

namespace res {

GrayImage MakeStartCentre(StartClass size) {
    if (size == StartClass::Small) {
        // The 6 x 6 block and the QUALITY CONTROL boxes below it, a few columns of the outer
        // patches trimmed to fit 604 pixels.
        return MakeTg18Qc(Tg18Size::Square1024).Crop(210, 208, 604, 712);
    }
    // The same from the 2048 layout, taller: from the 5 % / 95 % band above the block to the
    // grid below the boxes.
    return MakeTg18Qc(Tg18Size::Portrait2048x2560).Crop(413, 493, 1225, 1782);
}

GrayImage MakeStartBanner(StartClass size) {
    const bool small = size == StartClass::Small;
    const int width = small ? 576 : 1152;
    const int height = small ? 88 : 214;
    const int unit = small ? 1 : 2;
    const int half = height / 2;
    // The bars (27 units thick together) sit in the middle of each half.
    const TransitionBarGeometry g{width, half, unit, (half - 27 * unit) / 2};
    GrayImage banner(width, height, 128);
    DrawTransitionBar(banner, 0, 0, g);
    return banner;
}

GrayImage MakeStartPatchA(StartClass size) {
    if (size == StartClass::Small) {
        return MakeResolutionBlock(SquareResolutionBlock());
    }
    ResolutionBlockGeometry g = DoubledResolutionBlock();
    // 375 x 354: the doubled block one column narrower and with a taller glyph row.
    g.columnWidths = {92, 92, 92, 91};
    g.rowHeights = {116, 115, 115};
    g.glyphY = {26, 44, 64, 82};
    return MakeResolutionBlock(g);
}

GrayImage MakeStartPatchB(StartClass size) {
    return MakeStartPatchA(size).MirroredLeftRight();
}

} // namespace res
