#pragma once
// What a scalable face states in font units, and the pixel metrics the text code derives from
// it. Every glyph source with a scalable face goes through here, so a face measures and wraps
// text the same on every platform, whatever rasterises its glyphs.

#include "platform/gdi/font_scale.h"
#include "platform/gdi/text.h"

#include <array>

namespace gdi {

struct FaceUnits {
    int unitsPerEm = 0;
    // The vertical extent the platform scales a cell height to: the OS/2 table's win ascent
    // and win descent (or what stands in for them).
    int cellAscent = 0;
    int cellDescent = 0;
    std::array<long long, 256> advances{}; // unhinted, for the Latin-1 characters
};

struct ScaledFace {
    FontScale scale;
    TextMetrics metrics;
    std::array<int, 256> advances{}; // pixels
};

// The face at the size a font request asks for (height as CreateFont takes it).
ScaledFace ScaleFace(const FaceUnits& face, int requestHeight);

} // namespace gdi
