#pragma once
// Generators for the TG18-QC, TG18-AFC and TG18-AD test images of the AAPM Task Group 18
// (AAPM On-line Report No. 03, 2005), built from the report's published descriptions. Each image
// is marked as synthetic and as based on TG18 in the place of the published label, and the
// portrait versions also as scaled.
//
// Sizes: the square version is 1024 x 1024. The portrait version is the 2048 x 2048 layout,
// every layout position doubled while the one- and two-pixel test details (line pairs, the
// glyphs of the resolution blocks, AFC targets, AD line pairs) keep their native size, centred
// on a 2048 x 2560 canvas with 256-row bands of the image's background above and below.
//
// The functions are pure and deterministic.

#include "res/gray_image.h"

namespace res {

enum class Tg18Size { Square1024, Portrait2048x2560 };

GrayImage MakeTg18Qc(Tg18Size size);
GrayImage MakeTg18Afc(Tg18Size size);
GrayImage MakeTg18Ad(Tg18Size size);

} // namespace res
