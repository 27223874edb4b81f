// The pattern dispatcher: clears the frame to black and draws the pattern at the current
// position of the playlist. DrawPattern is the pattern index: each id and what draws it.

#include "app/lumivex_dlg.h"
#include "platform/gdi/scoped_select.h"
#include "render/pattern_kit.h"

#include <algorithm>
#include <array>

namespace {

// Patterns 20-28: the client area in one colour.
constexpr int kFirstSolidField = 20;
constexpr std::array<COLORREF, 9> kSolidFields = {
    0x404040, 0x7F7F7F, 0xA0A0A0, 0xC0C0C0, // gray levels 64, 127, 160, 192
    0xFFFFFF, 0x000000,                     // white, black
    0x0000FF, 0x00FF00, 0xFF0000,           // red, green, blue
};

} // namespace

void CLumivexDlg::DrawCurrentPattern(CDC* dc) {
    CPen whitePen;
    whitePen.Attach(CreatePen(PS_SOLID, 1, 0xFFFFFF));
    CPen blackPen;
    blackPen.Attach(CreatePen(PS_SOLID, 1, 0x000000));

    const CSize size = ClientSize();
    dc->FillSolidRect(0, 0, size.cx, size.cy, 0x000000);

    const std::size_t n = m_playlist.size();
    if (n == 0) {
        return;
    }
    const std::int32_t id = m_playlist[m_position % n];
    if (static_cast<std::uint32_t>(id) < static_cast<std::uint32_t>(kPatternCount)) {
        DrawPattern(dc, id, FramePens{&whitePen, &blackPen});
    }
    // The pens are deleted here, black first, by their destructors.
}

void CLumivexDlg::DrawPattern(CDC* dc, int id, const FramePens& pens) {
    const CSize size = ClientSize();
    const int W = size.cx, H = size.cy;
    if (id >= kFirstSolidField && id < kFirstSolidField + static_cast<int>(kSolidFields.size())) {
        DrawColorField(dc, kSolidFields[static_cast<std::size_t>(id - kFirstSolidField)], 0, 0, W,
                       H);
        return;
    }
    switch (id) {
    case 0:
    case 1:
    case 2:
    case 3:
    case 4:
    case 5:
    case 6:
        return DrawEdgeLines(dc, pens, id);
    case 7:
        return DrawPixelChecker(dc, pens);
    case 8:
        return DrawGridFigure(dc, pens);
    case 9:
        return DrawCenterBox(dc);
    case 10:
        return DrawNineBoxes(dc);
    case 11:
        return DrawThreeBoxes(dc);
    case 12:
        return DrawFiveBoxes(dc);
    case 13:
        return DrawGraySteps(dc, m_stepCount, false);
    case 14:
    case 15:
    case 16:
        return DrawReferenceImage(dc, id);
    case 17: {
        ScopedSelect pen(dc, pens.black);
        return DrawUniformityBoxes(dc, 0xCCCCCC);
    }
    case 18: {
        ScopedSelect pen(dc, pens.white);
        return DrawUniformityBoxes(dc, 0x1A1A1A);
    }
    case 19:
        return DrawAlignmentFigure(dc, pens);
    case 29:
        return DrawColorField(dc, patterns::Gray(m_grayLevel), 0, 0, W, H);
    case 30:
        return DrawCenterGray(dc, false);
    case 31:
        return DrawCenterGray(dc, true);
    case 32:
        return DrawTextPage(dc);
    case 33: {
        const int level = std::min(m_grayLevel, 254);
        return DrawLevelPair(dc, level, level + 1);
    }
    case 34: {
        const int level = std::max(m_grayLevel, 1);
        return DrawLevelPair(dc, level, level - 1);
    }
    case 35: {
        ScopedSelect pen(dc, pens.white);
        return DrawUniformityBoxes(dc, 0x7F7F7F);
    }
    case 36:
        return DrawGraySteps(dc, m_stepCount, true);
    case 37:
        return DrawDiagonalRamp(dc);
    case 38:
        return DrawGraySteps(dc, 18, false);
    case 39:
        return DrawColorChart(dc);
    case 40:
        return DrawColorBars(dc);
    case 41:
        return DrawEdgeSquares(dc, 0x1A1A1A);
    case 42:
        return DrawEdgeSquares(dc, 0xCCCCCC);
    default:
        return;
    }
}

// Patterns 33 and 34: the left half at one gray level, the right half at its neighbour.
void CLumivexDlg::DrawLevelPair(CDC* dc, int leftLevel, int rightLevel) {
    const CSize size = ClientSize();
    DrawColorField(dc, patterns::Gray(leftLevel), 0, 0, size.cx / 2, size.cy);
    DrawColorField(dc, patterns::Gray(rightLevel), size.cx / 2, 0, size.cx, size.cy);
}

CSize CLumivexDlg::ClientSize() const {
    CRect client;
    GetClientRect(&client);
    return CSize(client.right, client.bottom);
}
