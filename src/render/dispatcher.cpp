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

    const std::size_t n = m_playlist.size();
    const std::int32_t id = n == 0 ? -1 : m_playlist[m_position % n];
    const bool known = static_cast<std::uint32_t>(id) < static_cast<std::uint32_t>(kPatternCount);

    // The black clear costs as much as the cheapest patterns: it is left out where the pattern
    // paints every pixel itself. The fill also makes black the background colour, which later
    // drawing (the text page, labels) relies on, so that part of it stays.
    if (known && CoversClientArea(id)) {
        dc->SetBkColor(0x000000);
    } else {
        const CSize size = ClientSize();
        dc->FillSolidRect(0, 0, size.cx, size.cy, 0x000000);
    }
    if (known) {
        DrawPattern(dc, id, FramePens{&whitePen, &blackPen});
    }
    // The pens are deleted here, black first, by their destructors.
}

bool CLumivexDlg::CoversClientArea(int id) const {
    if (id >= kFirstSolidField && id < kFirstSolidField + static_cast<int>(kSolidFields.size())) {
        return true;
    }
    switch (id) {
    case 7: // the checkerboard and its frame
        return true;
    case 13:
        // Eight steps leave a black margin; any other count spans the width and, laid out for
        // the screen's height or twice it, the height.
        return m_stepCount >= 1 && m_stepCount != 8;
    case 14:
    case 15:
    case 16: // stretched over the client area; black when the picture cannot be loaded
    case 17:
    case 18:
    case 35: // a background fill first
    case 29:
    case 33:
    case 34: // one or two fields edge to edge
    case 36: // a black fill first
    case 37: // the ramp's square and the two fills beside and below it
    case 38: // eighteen steps
    case 40: // five bars edge to edge
    case 41:
    case 42: // a background fill first
        return true;
    case 30:
    case 31:
        // The outermost ring is the client area; the rings lie within each other and the
        // innermost is filled whole.
        return m_stepCount >= 1;
    default:
        return false;
    }
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
