#include "platform/gdi/dc.h"
#include "platform/gdi/raster.h"

#include <algorithm>
#include <array>
#include <climits>

namespace {

// The platform's current default colours (COLORREF) by index; unknown indexes give 0.
constexpr std::array<COLORREF, 31> kSysColors = {
    0xC8C8C8, // COLOR_SCROLLBAR
    0x000000, // COLOR_BACKGROUND
    0xD1B499, // COLOR_ACTIVECAPTION
    0xDBCDBF, // COLOR_INACTIVECAPTION
    0xF0F0F0, // COLOR_MENU
    0xFFFFFF, // COLOR_WINDOW
    0x646464, // COLOR_WINDOWFRAME
    0x000000, // COLOR_MENUTEXT
    0x000000, // COLOR_WINDOWTEXT
    0x000000, // COLOR_CAPTIONTEXT
    0xB4B4B4, // COLOR_ACTIVEBORDER
    0xFCF7F4, // COLOR_INACTIVEBORDER
    0xABABAB, // COLOR_APPWORKSPACE
    0xD77800, // COLOR_HIGHLIGHT
    0xFFFFFF, // COLOR_HIGHLIGHTTEXT
    0xF0F0F0, // COLOR_BTNFACE
    0xA0A0A0, // COLOR_BTNSHADOW
    0x6D6D6D, // COLOR_GRAYTEXT
    0x000000, // COLOR_BTNTEXT
    0x000000, // COLOR_INACTIVECAPTIONTEXT
    0xFFFFFF, // COLOR_BTNHIGHLIGHT
    0x696969, // COLOR_3DDKSHADOW
    0xE3E3E3, // COLOR_3DLIGHT
    0x000000, // COLOR_INFOTEXT
    0xE1FFFF, // COLOR_INFOBK
    0x000000, // (unused)
    0xCC6600, // COLOR_HOTLIGHT
    0xEAD1B9, // COLOR_GRADIENTACTIVECAPTION
    0xF2E4D7, // COLOR_GRADIENTINACTIVECAPTION
    0xD77800, // COLOR_MENUHILIGHT
    0xF0F0F0, // COLOR_MENUBAR
};

// Colour of each of the four border lines by the edge type's four bits (index edge & 0xF:
// outer raised 1, outer sunken 2, inner raised 4, inner sunken 8); -1 draws nothing. A lone
// inner border is drawn on the outer line.
using EdgeTable = std::array<signed char, 16>;
constexpr signed char N = -1;
constexpr signed char LIGHT = COLOR_3DLIGHT, DARK = COLOR_3DDKSHADOW, SHADOW = COLOR_BTNSHADOW,
                      HILITE = COLOR_BTNHIGHLIGHT, FACE = COLOR_BTNFACE, WIN = COLOR_WINDOW,
                      FRAME = COLOR_WINDOWFRAME;

constexpr EdgeTable kLTInnerNormal = {N, N,    N,    N, N, HILITE, HILITE, N,
                                      N, DARK, DARK, N, N, N,      N,      N};
constexpr EdgeTable kLTOuterNormal = {N,    LIGHT, SHADOW, N, HILITE, LIGHT, SHADOW, N,
                                      DARK, LIGHT, SHADOW, N, N,      LIGHT, SHADOW, N};
constexpr EdgeTable kRBInnerNormal = {N, N,     N,     N, N, SHADOW, SHADOW, N,
                                      N, LIGHT, LIGHT, N, N, N,      N,      N};
constexpr EdgeTable kRBOuterNormal = {N,     DARK, HILITE, N, SHADOW, DARK, HILITE, N,
                                      LIGHT, DARK, HILITE, N, N,      DARK, HILITE, N};
constexpr EdgeTable kLTInnerSoft = {N, N,      N,      N, N, LIGHT, LIGHT, N,
                                    N, SHADOW, SHADOW, N, N, N,     N,     N};
constexpr EdgeTable kLTOuterSoft = {N,      HILITE, DARK, N, LIGHT, HILITE, DARK, N,
                                    SHADOW, HILITE, DARK, N, N,     HILITE, DARK, N};
constexpr EdgeTable kOuterMono = {N,   FRAME, FRAME, FRAME, WIN, FRAME, FRAME, FRAME,
                                  WIN, FRAME, FRAME, FRAME, WIN, FRAME, FRAME, FRAME};
constexpr EdgeTable kInnerMono = {N, N, N, N, N, WIN, WIN, WIN, N, WIN, WIN, WIN, N, WIN, WIN, WIN};
constexpr EdgeTable kOuterFlat = {N,    SHADOW, SHADOW, SHADOW, FACE, SHADOW, SHADOW, SHADOW,
                                  FACE, SHADOW, SHADOW, SHADOW, FACE, SHADOW, SHADOW, SHADOW};

struct EdgeColours {
    int ltOuter, rbOuter, ltInner, rbInner;
};

EdgeColours ColoursFor(UINT edge, UINT flags) {
    const std::size_t i = edge & 0xF;
    if (flags & BF_MONO) {
        return {kOuterMono[i], kOuterMono[i], kInnerMono[i], kInnerMono[i]};
    }
    if (flags & BF_FLAT) {
        // Flat borders keep an inner line in the face colour.
        const int inner = kInnerMono[i] == N ? N : FACE;
        return {kOuterFlat[i], kOuterFlat[i], inner, inner};
    }
    if (flags & BF_SOFT) {
        return {kLTOuterSoft[i], kRBOuterNormal[i], kLTInnerSoft[i], kRBInnerNormal[i]};
    }
    return {kLTOuterNormal[i], kRBOuterNormal[i], kLTInnerNormal[i], kRBInnerNormal[i]};
}

// One border line from a to b (b left out), in logical coordinates, like a pen line.
struct EdgePainter {
    HDC dc;
    gdi::Surface& surface;
    RECT clip;

    void Line(int colour, int x0, int y0, int x1, int y1) const {
        if (colour == N) {
            return;
        }
        const gdi::RopMasks m = gdi::MasksFor(dc->rop2, gdi::ToPixel(GetSysColor(colour)));
        gdi::RopLine(surface, clip, gdi::ToDevicePoint(dc->windowOrg, x0, y0),
                     gdi::ToDevicePoint(dc->windowOrg, x1, y1), m);
    }
};

} // namespace

COLORREF GetSysColor(int index) {
    if (index < 0 || index >= static_cast<int>(kSysColors.size())) {
        return 0;
    }
    return kSysColors[static_cast<std::size_t>(index)];
}

BOOL DrawEdge(HDC dc, LPRECT rect, UINT edge, UINT flags) {
    if (!dc || !rect || (flags & BF_DIAGONAL)) {
        return FALSE;
    }
    const bool both =
        (edge & (BDR_RAISEDINNER | BDR_SUNKENINNER)) == (BDR_RAISEDINNER | BDR_SUNKENINNER) ||
        (edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER)) == (BDR_RAISEDOUTER | BDR_SUNKENOUTER);
    const BOOL valid = !(both && !(flags & (BF_FLAT | BF_MONO)));
    const EdgeColours c = ColoursFor(edge, flags);
    const RECT r = *rect;

    gdi::Surface* s = dc->Target();
    RECT clip;
    if (s && gdi::VisibleClip(*s, dc->DeviceClip(), clip)) {
        if ((flags & BF_MIDDLE) && valid) {
            const gdi::DevicePoint a = gdi::ToDevicePoint(dc->windowOrg, r.left, r.top);
            const gdi::DevicePoint b = gdi::ToDevicePoint(dc->windowOrg, r.right, r.bottom);
            auto fit = [](long long v) {
                return static_cast<LONG>(std::clamp<long long>(v, INT_MIN, INT_MAX));
            };
            const RECT area{fit(a.x), fit(a.y), fit(b.x), fit(b.y)};
            const COLORREF face = GetSysColor((flags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE);
            gdi::FillRect(*s, clip, area, gdi::ToPixel(face));
        }
        const EdgePainter p{dc, *s, clip};
        // Where two sides meet, the inner line starts one pixel further in.
        const int lt = (flags & BF_TOPLEFT) == BF_TOPLEFT;
        const int rt = (flags & BF_TOPRIGHT) == BF_TOPRIGHT;
        const int lb = (flags & BF_BOTTOMLEFT) == BF_BOTTOMLEFT;
        const int rb = (flags & BF_BOTTOMRIGHT) == BF_BOTTOMRIGHT;
        // Outer lines first, top-left before bottom-right: later lines own the corners.
        if (flags & BF_TOP) {
            p.Line(c.ltOuter, r.left, r.top, r.right, r.top);
        }
        if (flags & BF_LEFT) {
            p.Line(c.ltOuter, r.left, r.top, r.left, r.bottom);
        }
        if (flags & BF_BOTTOM) {
            p.Line(c.rbOuter, r.left, r.bottom - 1, r.right, r.bottom - 1);
        }
        if (flags & BF_RIGHT) {
            p.Line(c.rbOuter, r.right - 1, r.top, r.right - 1, r.bottom);
        }
        if (flags & BF_TOP) {
            p.Line(c.ltInner, r.left + lt, r.top + 1, r.right - rt, r.top + 1);
        }
        if (flags & BF_LEFT) {
            p.Line(c.ltInner, r.left + 1, r.top + lt, r.left + 1, r.bottom - lb);
        }
        if (flags & BF_BOTTOM) {
            p.Line(c.rbInner, r.left + lb, r.bottom - 2, r.right - rb, r.bottom - 2);
        }
        if (flags & BF_RIGHT) {
            p.Line(c.rbInner, r.right - 2, r.top + rt, r.right - 2, r.bottom - rb);
        }
    }
    if (flags & BF_ADJUST) {
        const std::size_t i = edge & 0xF;
        const int add = (kInnerMono[i] != N) + (kOuterMono[i] != N);
        rect->left += (flags & BF_LEFT) ? add : 0;
        rect->right -= (flags & BF_RIGHT) ? add : 0;
        rect->top += (flags & BF_TOP) ? add : 0;
        rect->bottom -= (flags & BF_BOTTOM) ? add : 0;
    }
    return valid;
}
