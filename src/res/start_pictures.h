#pragma once
// The start screen's pictures, in the small (1 x) and large (about 2 x) classes: an excerpt of
// TG18-QC for the centre, the transition bar as the banner, and the resolution patch for the
// corners (patch B is patch A mirrored left to right, pixel for pixel).

#include "res/gray_image.h"

namespace res {

enum class StartClass { Small, Large };

GrayImage MakeStartCentre(StartClass size); // 604 x 712, 1225 x 1782
GrayImage MakeStartBanner(StartClass size); // 576 x 88, 1152 x 214
GrayImage MakeStartPatchA(StartClass size); // 188 x 142, 375 x 354
GrayImage MakeStartPatchB(StartClass size); // the same sizes

} // namespace res
