#include "platform/gdi/glyph_blit.h"

#include <algorithm>

namespace gdi {

void DrawGlyphs(Surface& s, const RECT& clip, long long x, long long baseline,
                std::string_view text, const Typeface& face, std::uint32_t pixel) {
    RECT bounds = s.Bounds();
    RECT area;
    if (text.empty() || !IntersectRect(&area, &bounds, &clip)) {
        return;
    }
    face.ForEachGlyph(text, [&](const Glyph& g, long long pen) {
        const long long left = x + pen + g.left;
        const long long top = baseline - g.top;
        const long long x0 = std::max<long long>(left, area.left);
        const long long x1 = std::min<long long>(left + g.width, area.right);
        const long long y0 = std::max<long long>(top, area.top);
        const long long y1 = std::min<long long>(top + g.height, area.bottom);
        for (long long y = y0; y < y1; ++y) {
            const std::uint8_t* cov = g.coverage.data() + (y - top) * g.width + (x0 - left);
            std::uint32_t* out = s.Row(static_cast<int>(y));
            for (long long xx = x0; xx < x1; ++xx, ++cov) {
                if (*cov == 255) {
                    out[xx] = pixel;
                } else if (*cov != 0) {
                    out[xx] = BlendPixel(out[xx], pixel, *cov);
                }
            }
        }
    });
}

} // namespace gdi
