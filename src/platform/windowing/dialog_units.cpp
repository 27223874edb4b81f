#include "platform/gdi/dc.h"
#include "platform/windowing/dialog_template.h"

namespace windowing {

SIZE DialogBaseUnits(const DialogTemplate& t) {
    // The platform measures the template's font: the average width of the 52 Latin letters,
    // rounded, and the cell height. Point sizes convert at 96 pixels per inch.
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CFont font;
    const bool systemFont = t.faceName.empty() || t.faceName == "System";
    if (!systemFont) {
        const int pixels = -((t.pointSize * 96 + 36) / 72);
        font.CreateFontA(pixels, 0, 0, 0, t.weight, t.italic, 0, 0, static_cast<BYTE>(t.charSet), 0,
                         0, 0, 0, t.faceName.c_str());
        dc.SelectObject(&font);
    }
    SIZE extent{};
    GetTextExtentPoint32A(dc.m_hDC, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52,
                          &extent);
    SIZE units{(extent.cx / 26 + 1) / 2, extent.cy};
    if (!systemFont) {
        dc.SelectStockObject(SYSTEM_FONT);
    }
    return units;
}

RECT MapDialogRect(SIZE units, int x, int y, int cx, int cy) {
    // MulDiv rounding, as the platform maps each edge.
    auto mapX = [&](int v) { return (v * units.cx + 2) / 4; };
    auto mapY = [&](int v) { return (v * units.cy + 4) / 8; };
    return RECT{mapX(x), mapY(y), mapX(x + cx), mapY(y + cy)};
}

} // namespace windowing
