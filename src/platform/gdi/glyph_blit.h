#pragma once
// Putting a run of glyphs onto a surface.

#include "platform/gdi/surface.h"
#include "platform/gdi/text.h"

#include <cstdint>
#include <string_view>

namespace gdi {

// Draws text with the pen starting at x on the baseline row, in device coordinates. Each
// pixel moves from its colour toward pixel by the glyph's coverage; only pixels inside clip
// (and the surface) change.
void DrawGlyphs(Surface& s, const RECT& clip, long long x, long long baseline,
                std::string_view text, const Typeface& face, std::uint32_t pixel);

// d moved toward s by coverage/255 on each channel, rounded to nearest.
constexpr std::uint32_t BlendPixel(std::uint32_t d, std::uint32_t s, unsigned coverage) {
    std::uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const std::uint32_t dc = (d >> shift) & 0xFFu;
        const std::uint32_t sc = (s >> shift) & 0xFFu;
        out |= ((dc * (255u - coverage) + sc * coverage + 127u) / 255u) << shift;
    }
    return out;
}

} // namespace gdi
