#include "res/resolution_block.h"

#include "res/cx_glyph.h"

#include <numeric>

namespace res {

namespace {

constexpr std::uint8_t kFrame = 64;
constexpr std::array<std::uint8_t, 4> kGlyphLevels{255, 191, 128, 64};

// The open side of each glyph, by glyph row and column, so that every row and every column
// shows all four orientations.
constexpr std::array<std::array<OpenSide, 4>, 4> kOpenSides{{
    {OpenSide::Right, OpenSide::Bottom, OpenSide::Left, OpenSide::Top},
    {OpenSide::Bottom, OpenSide::Left, OpenSide::Top, OpenSide::Right},
    {OpenSide::Left, OpenSide::Top, OpenSide::Right, OpenSide::Bottom},
    {OpenSide::Top, OpenSide::Right, OpenSide::Bottom, OpenSide::Left},
}};

struct LinePairs {
    int width;        // pixels per line
    std::uint8_t on;  // the bright line
    std::uint8_t off; // the dark line
};
constexpr std::array<LinePairs, 4> kLinePairs{
    {{1, 255, 0}, {2, 255, 0}, {1, 130, 128}, {2, 130, 128}}};

bool OnLine(int offset, int width) {
    return (offset / width) % 2 == 0;
}

} // namespace

int ResolutionBlockGeometry::Width() const {
    return 2 * frame + std::accumulate(columnWidths.begin(), columnWidths.end(), 0);
}

int ResolutionBlockGeometry::Height() const {
    return 2 * frame + std::accumulate(rowHeights.begin(), rowHeights.end(), 0);
}

ResolutionBlockGeometry SquareResolutionBlock() {
    return ResolutionBlockGeometry{};
}

ResolutionBlockGeometry DoubledResolutionBlock() {
    ResolutionBlockGeometry g;
    g.frame = 4;
    g.columnWidths = {92, 92, 92, 92};
    g.rowHeights = {92, 92, 92};
    g.glyphX = {12, 30, 50, 68};
    g.glyphY = {12, 30, 50, 68};
    return g;
}

GrayImage MakeResolutionBlock(const ResolutionBlockGeometry& g) {
    GrayImage block(g.Width(), g.Height(), kFrame);
    const int y0 = g.frame;
    const int y1 = y0 + g.rowHeights[0];
    const int y2 = y1 + g.rowHeights[1];
    int x = g.frame;
    for (int c = 0; c < 4; ++c) {
        const int w = g.columnWidths[c];
        // Top row: glyphs on black.
        block.FillBox(x, y0, x + w - 1, y1 - 1, 0);
        for (int gy = 0; gy < 4; ++gy) {
            for (int gx = 0; gx < 4; ++gx) {
                DrawCxGlyph(block, x + g.glyphX[gx], y0 + g.glyphY[gy], 1, kOpenSides[gy][gx],
                            kGlyphLevels[c]);
            }
        }
        const LinePairs lp = kLinePairs[c];
        // Middle row: vertical lines, each area starting with a bright line.
        for (int i = 0; i < w; ++i) {
            block.FillBox(x + i, y1, x + i, y2 - 1, OnLine(i, lp.width) ? lp.on : lp.off);
        }
        // Bottom row: horizontal lines; the single-pixel pairs start with a dark line there, as
        // in the published block.
        for (int i = 0; i < g.rowHeights[2]; ++i) {
            const bool on = lp.width == 1 ? !OnLine(i, 1) : OnLine(i, lp.width);
            block.FillBox(x, y2 + i, x + w - 1, y2 + i, on ? lp.on : lp.off);
        }
        x += w;
    }
    return block;
}

} // namespace res
