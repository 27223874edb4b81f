#include "app/lumivex_dlg.h"
#include "render/patterns.h"

#include <algorithm>

void CLumivexDlg::DrawCurrentPattern(CDC* dc) {
    CPen whitePen;
    whitePen.Attach(CreatePen(PS_SOLID, 1, 0xFFFFFF));
    CPen blackPen;
    blackPen.Attach(CreatePen(PS_SOLID, 1, 0x000000));

    CRect client;
    GetClientRect(&client);
    const int W = client.right;
    const int H = client.bottom;
    dc->FillSolidRect(&client, 0x000000);

    const std::size_t n = m_playlist.size();
    if (n == 0) {
        return;
    }
    const std::int32_t id = m_playlist[m_position % n];
    if (static_cast<std::uint32_t>(id) > 42) {
        return;
    }
    const render::Frame f{dc, W, H, &whitePen, &blackPen};
    auto gray = [](int level) { return static_cast<COLORREF>(level & 0xFF) * 0x010101u; };
    auto withPen = [dc](CPen* pen, auto draw) {
        CPen* old = dc->SelectObject(pen);
        draw();
        dc->SelectObject(old);
    };

    switch (id) {
    case 0:
    case 1:
    case 2:
    case 3:
    case 4:
    case 5:
    case 6:
        render::DrawEdgeLines(f, id);
        break;
    case 7:
        render::DrawPixelChecker(f);
        break;
    case 8:
        render::DrawGridFigure(f);
        break;
    case 9:
        render::DrawCenterBox(f);
        break;
    case 10:
        render::DrawNineBoxes(f);
        break;
    case 11:
        render::DrawThreeBoxes(f);
        break;
    case 12:
        render::DrawFiveBoxes(f);
        break;
    case 13:
        DrawGraySteps(dc, m_stepCount, false);
        break;
    case 14:
    case 15:
    case 16:
        render::DrawReferenceImage(f, id);
        break;
    case 17:
        withPen(&blackPen, [&] { DrawUniformityBoxes(dc, 0xCCCCCC); });
        break;
    case 18:
        withPen(&whitePen, [&] { DrawUniformityBoxes(dc, 0x1A1A1A); });
        break;
    case 19:
        render::DrawAlignmentFigure(f);
        break;
    case 20:
        DrawColorField(dc, 0x404040, 0, 0, W, H);
        break;
    case 21:
        DrawColorField(dc, 0x7F7F7F, 0, 0, W, H);
        break;
    case 22:
        DrawColorField(dc, 0xA0A0A0, 0, 0, W, H);
        break;
    case 23:
        DrawColorField(dc, 0xC0C0C0, 0, 0, W, H);
        break;
    case 24:
        DrawColorField(dc, 0xFFFFFF, 0, 0, W, H);
        break;
    case 25:
        DrawColorField(dc, 0x000000, 0, 0, W, H);
        break;
    case 26:
        DrawColorField(dc, 0x0000FF, 0, 0, W, H);
        break;
    case 27:
        DrawColorField(dc, 0x00FF00, 0, 0, W, H);
        break;
    case 28:
        DrawColorField(dc, 0xFF0000, 0, 0, W, H);
        break;
    case 29:
        DrawColorField(dc, gray(m_grayLevel), 0, 0, W, H);
        break;
    case 30:
        DrawCenterGray(dc, false);
        break;
    case 31:
        DrawCenterGray(dc, true);
        break;
    case 32:
        DrawTextPage(dc);
        break;
    case 33: {
        const int level = std::min(m_grayLevel, 254);
        DrawColorField(dc, gray(level), 0, 0, W / 2, H);
        DrawColorField(dc, gray(level + 1), W / 2, 0, W, H);
        break;
    }
    case 34: {
        const int level = std::max(m_grayLevel, 1);
        DrawColorField(dc, gray(level), 0, 0, W / 2, H);
        DrawColorField(dc, gray(level - 1), W / 2, 0, W, H);
        break;
    }
    case 35:
        withPen(&whitePen, [&] { DrawUniformityBoxes(dc, 0x7F7F7F); });
        break;
    case 36:
        DrawGraySteps(dc, m_stepCount, true);
        break;
    case 37:
        DrawDiagonalRamp(dc);
        break;
    case 38:
        DrawGraySteps(dc, 18, false);
        break;
    case 39:
        DrawColorChart(dc);
        break;
    case 40:
        DrawColorBars(dc);
        break;
    case 41:
        DrawEdgeSquares(dc, 0x1A1A1A);
        break;
    case 42:
        DrawEdgeSquares(dc, 0xCCCCCC);
        break;
    default:
        break;
    }
    // The pens are deleted here, black first, by their destructors.
}
