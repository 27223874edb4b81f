// The start screen: shown on every system paint of the main window. A gray background with a
// light grid centred on the screen, an excerpt of TG18-QC in the middle under a banner of
// transition bars, resolution patches in the four corners and two 256-level gray scales.

#include "app/lumivex_dlg.h"
#include "platform/gdi/image.h"
#include "platform/gdi/scoped_select.h"
#include "render/pattern_kit.h"
#include "startscreen/rotate_image.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <tuple>
#include <vector>

namespace {

constexpr COLORREF kBackground = 0x808080;
constexpr COLORREF kGridLine = 0xBFBFBF;

struct SizeClass {
    int s; // scale
    int m; // margin
    UINT centre, banner, patchA, patchB;
};

constexpr SizeClass kSmall{1, 5, 147, 149, 148, 153};
constexpr SizeClass kLarge{2, 10, 150, 152, 151, 154};

// The copy of patch turned by 180 degrees. Turning goes pixel by pixel through doubles and cost
// a tenth of the start screen at 3840 x 2160, for the same result every time: each patch is
// turned once per thread and kept with a copy of the pixels it was turned from. Comparing
// those (a memcmp of the patch) catches a patch whose pixels changed under the same address.
const CImage& TurnedPatch(const CImage& patch) {
    struct Turned {
        std::vector<std::uint8_t> source;
        CImage copy;
    };
    using Key = std::tuple<const void*, int, int, int>;
    thread_local std::map<Key, Turned> turned;

    const int pitch = patch.GetPitch(), h = patch.GetHeight();
    const auto* top = static_cast<const std::uint8_t*>(patch.GetBits());
    // Bottom-up rows run downwards in memory from the top row: the block starts at the last.
    const std::uint8_t* block =
        pitch < 0 ? top + static_cast<std::ptrdiff_t>(pitch) * (h - 1) : top;
    const std::size_t bytes =
        static_cast<std::size_t>(std::abs(pitch)) * static_cast<std::size_t>(h);

    Turned& entry = turned[Key{top, patch.GetWidth(), h, patch.GetBPP()}];
    if (entry.copy.IsNull() || entry.source.size() != bytes ||
        std::memcmp(entry.source.data(), block, bytes) != 0) {
        entry.source.assign(block, block + bytes);
        RotateImage(patch, entry.copy, 180.0);
        entry.copy.KeepConvertedCopy(); // drawn on every paint
    }
    return entry.copy;
}

// Draws a corner patch unscaled at (x, y) and a copy turned by 180 degrees unscaled at (xr, yr).
void DrawPatchPair(CDC* dc, const CImage& patch, int x, int y, int xr, int yr) {
    if (patch.IsNull()) {
        return;
    }
    const CImage& turned = TurnedPatch(patch);
    const int w = patch.GetWidth(), h = patch.GetHeight();
    patch.Draw(dc, CRect(x, y, x + w, y + h));
    turned.Draw(dc, CRect(xr, yr, xr + w, yr + h));
}

} // namespace

using patterns::Line;

void CLumivexDlg::DrawStartScreen(CDC* dc) {
    const CSize size = ClientSize();
    const int W = size.cx, H = size.cy;
    const SizeClass& c = static_cast<long long>(W) * H >= 0x200000 ? kLarge : kSmall;
    const int s = c.s, m = c.m;
    HINSTANCE module = AfxGetInstanceHandle();

    dc->FillSolidRect(0, 0, W, H, kBackground);

    // The grid. The vertical step doubles in the large class; the horizontal one does not. The
    // centre lines are drawn twice.
    // The pen in use; the guard, made after it, selects the DC's own pen back before it goes.
    auto pen = std::make_unique<CPen>(PS_SOLID, 1, kGridLine);
    ScopedSelect restore(dc, pen.get());
    for (int o = 0; o < W / 2; o += 100 * s) {
        Line(dc, W / 2 + o, 0, W / 2 + o, H);
        Line(dc, W / 2 - o, 0, W / 2 - o, H);
    }
    for (int o = 0; o < H / 2; o += 100) {
        Line(dc, W, H / 2 + o, 0, H / 2 + o);
        Line(dc, W, H / 2 - o, 0, H / 2 - o);
    }

    // The centre picture, 50 s below the middle, drawn into an even-sized rectangle.
    int y1 = 0;
    {
        CImage centre;
        centre.LoadFromResource(module, c.centre);
        const int w1 = centre.GetWidth(), h1 = centre.GetHeight();
        const int x1 = W / 2 - w1 / 2;
        y1 = H / 2 - h1 / 2 + 50 * s;
        centre.Draw(dc, CRect(x1, y1, x1 + 2 * (w1 / 2), y1 + 2 * (h1 / 2)));
    }

    // The banner at the top, squeezed to end a margin above the centre picture when there is no
    // room for it. With the centre picture at most two margins from the top there is no room at
    // all, and the banner is left out.
    {
        CImage banner;
        banner.LoadFromResource(module, c.banner);
        const int w2 = banner.GetWidth(), h2 = banner.GetHeight();
        const int hb = y1 > h2 + m ? h2 : std::abs(y1 - m) - m;
        if (hb > 0) {
            const int x2 = W / 2 - w2 / 2;
            banner.Draw(dc, CRect(x2, m, x2 + 2 * (w2 / 2), m + hb));
        }
    }

    // Corner patch A top left with its turned copy bottom right; patch B two margins from the
    // right edge at the top with its turned copy bottom left.
    {
        CImage patchA;
        patchA.LoadFromResource(module, c.patchA);
        const int w3 = patchA.GetWidth(), h3 = patchA.GetHeight();
        DrawPatchPair(dc, patchA, m, m, W - w3 - m, H - h3 - m);
    }
    int w4 = 0;
    {
        CImage patchB;
        patchB.LoadFromResource(module, c.patchB);
        w4 = patchB.GetWidth();
        const int h4 = patchB.GetHeight();
        DrawPatchPair(dc, patchB, W - w4 - 2 * m, m, m, H - h4 - m);
    }

    // The gray scales, one line of width s per level: on the right black at the top, on the
    // left black at the bottom (drawn right to left).
    const int xc = m + w4 / 2;
    const int yA = (H - 256 * s) / 2;
    const int yB = (H + 256 * s) / 2;
    for (int i = 0; i < 256; ++i) {
        auto level = std::make_unique<CPen>(PS_SOLID, s, patterns::Gray(i));
        dc->SelectObject(level.get());
        pen = std::move(level); // the previous pen, no longer selected, is deleted
        Line(dc, W - 50 * s - xc, yA + i * s, W - xc, yA + i * s);
        Line(dc, xc, yB - i * s, 50 * s, yB - i * s);
    }
}
