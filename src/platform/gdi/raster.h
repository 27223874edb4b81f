#pragma once
// Pixel-level drawing shared by the DC verbs. Everything here works in device coordinates and
// writes only inside the given clip rectangle (itself limited to the surface).
//
// Device coordinates are 64-bit: a logical coordinate minus a window origin does not fit in 32
// bits, and shapes far larger than the surface must still light exactly their visible pixels.

#include "platform/gdi/surface.h"

#include <cstdint>

namespace gdi {

// Every binary raster operation is D = (D & and) ^ xor, with both masks fixed by the pen pixel.
struct RopMasks {
    std::uint32_t andMask;
    std::uint32_t xorMask;
};
RopMasks MasksFor(int rop2, std::uint32_t penPixel);

inline void ApplyRop(std::uint32_t& d, RopMasks m) {
    d = ((d & m.andMask) ^ m.xorMask) & 0x00FFFFFFu;
}

struct DevicePoint {
    long long x = 0;
    long long y = 0;
};

inline DevicePoint ToDevicePoint(POINT windowOrg, long long x, long long y) {
    return DevicePoint{x - windowOrg.x, y - windowOrg.y};
}

// The drawable part of clip: clip within the surface's bounds. False when nothing is left.
bool VisibleClip(const Surface& s, const RECT& clip, RECT& out);

// Horizontal run [x0, x1) on row y.
void RopSpan(Surface& s, const RECT& clip, long long y, long long x0, long long x1, RopMasks m);

// A one-pixel line from a to b, lighting a and leaving out b, by the platform's
// grid-intersection rule. Only the pixels of the unclipped line that lie inside clip are set,
// and only those steps are walked.
void RopLine(Surface& s, const RECT& clip, DevicePoint a, DevicePoint b, RopMasks m);

} // namespace gdi
