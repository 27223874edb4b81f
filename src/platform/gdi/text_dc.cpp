// The text verbs: TextOut, text extents and DrawText.

#include "platform/gdi/dc.h"
#include "platform/gdi/glyph_blit.h"
#include "platform/gdi/text.h"
#include "platform/gdi/text_layout.h"

#include <algorithm>
#include <climits>

namespace {

// Draws one run with its cell's top-left corner at logical (x, y): in OPAQUE mode the cell
// [x, x + extent) x [y, y + height) is filled with the background colour first. Output stays
// inside the DC's clip and, when given, inside the logical rectangle limit.
void DrawRun(HDC dc, int x, int y, std::string_view text, const RECT* limit) {
    gdi::Surface* s = dc->Target();
    if (!s || text.empty()) {
        return;
    }
    RECT clip = dc->DeviceClip();
    if (limit) {
        const POINT a = dc->ToDevice(limit->left, limit->top);
        const POINT b = dc->ToDevice(limit->right, limit->bottom);
        const RECT r{a.x, a.y, b.x, b.y};
        if (!IntersectRect(&clip, &clip, &r)) {
            return;
        }
    }
    const gdi::Typeface& face = gdi::TypefaceOf(dc->font);
    const gdi::TextMetrics& m = face.Metrics();
    const POINT origin = dc->ToDevice(x, y);
    if (dc->bkMode == OPAQUE) {
        const long long right = static_cast<long long>(origin.x) + face.Extent(text);
        const long long bottom = static_cast<long long>(origin.y) + m.height;
        const RECT cell{origin.x, origin.y, static_cast<LONG>(std::min<long long>(right, INT_MAX)),
                        static_cast<LONG>(std::min<long long>(bottom, INT_MAX))};
        gdi::FillRect(*s, clip, cell, gdi::ToPixel(dc->bkColor));
    }
    gdi::DrawGlyphs(*s, clip, origin.x, static_cast<long long>(origin.y) + m.ascent, text, face,
                    gdi::ToPixel(dc->textColor));
}

SIZE Extent(HDC dc, std::string_view text) {
    const gdi::Typeface& face = gdi::TypefaceOf(dc->font);
    return SIZE{face.Extent(text), face.Metrics().height};
}

} // namespace

BOOL CDC::TextOut(int x, int y, std::string_view text) {
    if (!m_hDC) {
        return FALSE;
    }
    DrawRun(m_hDC, x, y, text, nullptr);
    return TRUE;
}

CSize CDC::GetTextExtent(std::string_view text) const {
    HDC dc = m_hAttribDC ? m_hAttribDC : m_hDC;
    return dc ? CSize(Extent(dc, text)) : CSize(0, 0);
}

BOOL GetTextExtentPoint32A(HDC dc, const char* text, int length, SIZE* size) {
    if (!dc || !size || length < 0 || (!text && length > 0)) {
        return FALSE;
    }
    *size = Extent(dc, std::string_view(text ? text : "", static_cast<std::size_t>(length)));
    return TRUE;
}

// Formats honoured: DT_LEFT, DT_CENTER, DT_RIGHT, DT_WORDBREAK, DT_EDITCONTROL, DT_NOCLIP.
// Tabs are drawn as the font's glyph for them ('&' is drawn as itself: the program's texts
// carry no prefix characters). Returns the height of the lines drawn.
int CDC::DrawText(std::string_view text, LPRECT rect, UINT format) {
    if (!m_hDC || !rect) {
        return 0;
    }
    const gdi::Typeface& face = gdi::TypefaceOf(m_hDC->font);
    const int lineHeight = face.Metrics().height;
    const bool clip = !(format & DT_NOCLIP);
    const long long width = static_cast<long long>(rect->right) - rect->left;
    const int lineWidth = static_cast<int>(std::clamp<long long>(width, INT_MIN, INT_MAX));
    long long y = rect->top;
    int lines = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const gdi::TextLine line = gdi::NextLine(text, pos, lineWidth, format, face);
        long long x = rect->left;
        if (format & DT_CENTER) {
            x = (static_cast<long long>(rect->left) + rect->right - line.width) / 2;
        } else if (format & DT_RIGHT) {
            x = static_cast<long long>(rect->right) - line.width;
        }
        if (x >= INT_MIN && x <= INT_MAX && y <= INT_MAX) {
            DrawRun(m_hDC, static_cast<int>(x), static_cast<int>(y),
                    text.substr(line.begin, line.end - line.begin), clip ? rect : nullptr);
        }
        ++lines;
        pos = line.next;
        // The first line is always drawn; an edit control shows no partly visible line.
        const long long nextBottom = y + (format & DT_EDITCONTROL ? 2LL : 1LL) * lineHeight;
        if (clip && (format & DT_EDITCONTROL ? nextBottom > rect->bottom
                                             : y + lineHeight >= rect->bottom)) {
            break;
        }
        y += lineHeight;
    }
    return static_cast<int>(
        std::min<long long>(static_cast<long long>(lines) * lineHeight, INT_MAX));
}
