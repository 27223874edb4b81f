#pragma once
// Pixel-level drawing shared by the DC verbs. Everything here works in device coordinates and
// writes only inside the given clip rectangle.

#include "platform/gdi/surface.h"

#include <cstdint>

namespace gdi {

// Every binary raster operation is D = (D & and) ^ xor, with both masks fixed by the pen pixel.
struct RopMasks {
    std::uint32_t andMask;
    std::uint32_t xorMask;
};
RopMasks MasksFor(int rop2, std::uint32_t penPixel);

inline void ApplyRop(std::uint32_t& d, RopMasks m) { d = ((d & m.andMask) ^ m.xorMask) & 0x00FFFFFFu; }

// Horizontal run [x0, x1) on row y.
void RopSpan(Surface& s, const RECT& clip, int y, int x0, int x1, RopMasks m);

// A one-pixel line from a to b, lighting a and leaving out b, by the platform's
// grid-intersection rule. Only the pixels of the unclipped line that lie inside clip are set.
void RopLine(Surface& s, const RECT& clip, POINT a, POINT b, RopMasks m);

} // namespace gdi
