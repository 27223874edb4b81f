// Text at 3840 x 2160: the text page's five 200 x 200 blocks and the colour fields' labels,
// each next to the cost of filling the same frame once ("fill_ratio", measured in the same
// run). Glyphs are rasterised on the first draw of a size; the timed iterations reuse them.

#include "fields/text_page.h"
#include "platform/gdi/dc.h"
#include "platform/gdi/text.h"
#include "platform/gdi/text_layout.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <chrono>

namespace {

constexpr int kWidth = 3840;
constexpr int kHeight = 2160;
constexpr UINT kFormat = DT_CENTER | DT_WORDBREAK | DT_EDITCONTROL;

using Clock = std::chrono::steady_clock;

struct TextFrame {
    TextFrame() {
        dc.CreateCompatibleDC(nullptr);
        bitmap.CreateCompatibleBitmap(&dc, kWidth, kHeight);
        dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, kWidth, kHeight, 0x000000);
    }
    ~TextFrame() { dc.SelectStockObject(SYSTEM_FONT); }
    CBitmap bitmap;
    CDC dc;
};

// Seconds for one fill of the whole frame: the best of several rounds.
double FrameFillSeconds() {
    static const double seconds = [] {
        TextFrame f;
        double best = 1e9;
        for (int round = 0; round < 7; ++round) {
            const auto t0 = Clock::now();
            for (int i = 0; i < 10; ++i) {
                f.dc.FillSolidRect(0, 0, kWidth, kHeight, i & 1 ? 0x202020 : 0x404040);
            }
            benchmark::DoNotOptimize(f.bitmap.m_hObject);
            best = std::min(best, std::chrono::duration<double>(Clock::now() - t0).count() / 10);
        }
        return best;
    }();
    return seconds;
}

template <class Body> void MeasureAgainstFill(benchmark::State& state, Body body) {
    body(); // the first draw rasterises the glyphs
    double total = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        body();
        total += std::chrono::duration<double>(Clock::now() - t0).count();
    }
    state.counters["fill_ratio"] =
        total / static_cast<double>(state.iterations()) / FrameFillSeconds();
}

void BM_TextPageFiveBlocks(benchmark::State& state) {
    TextFrame f;
    CFont font;
    font.CreateFontA(14, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, FF_SWISS, "Arial");
    f.dc.SelectObject(&font);
    f.dc.SetTextColor(0xFFFFFF);
    f.dc.SetBkColor(0x000000);
    const int d = 100;
    const std::array<POINT, 5> centres = {{{d, d},
                                           {kWidth - d, d},
                                           {kWidth - d, kHeight - d},
                                           {d, kHeight - d},
                                           {kWidth / 2, kHeight / 2}}};
    const std::string_view text = fields::TextPageText();
    MeasureAgainstFill(state, [&] {
        for (const POINT& c : centres) {
            RECT block{c.x - d, c.y - d, c.x + d, c.y + d};
            f.dc.DrawText(text, &block, kFormat);
        }
    });
    state.SetBytesProcessed(state.iterations() * 5 * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_TextPageFiveBlocks)->Unit(benchmark::kMicrosecond);

// The line breaking alone of the five blocks: each line asks the break source for the
// opportunities of the rest of its paragraph.
void BM_TextPageLayoutOnly(benchmark::State& state) {
    CFont font;
    font.CreateFontA(14, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, FF_SWISS, "Arial");
    const gdi::Typeface& face = gdi::TypefaceOf(font);
    const std::string_view text = fields::TextPageText();
    MeasureAgainstFill(state, [&] {
        for (int block = 0; block < 5; ++block) {
            std::size_t pos = 0;
            for (int line = 0; line < 14 && pos < text.size(); ++line) {
                pos = gdi::NextLine(text, pos, 200, kFormat, face).next;
            }
            benchmark::DoNotOptimize(pos);
        }
    });
}
BENCHMARK(BM_TextPageLayoutOnly)->Unit(benchmark::kMicrosecond);

void BM_ColourFieldLabels(benchmark::State& state) {
    // Three label lines in the stock font, transparent, as a labelled field draws them.
    TextFrame f;
    f.dc.SetBkMode(TRANSPARENT);
    f.dc.SetTextColor(0xFFFFFF);
    MeasureAgainstFill(state, [&] {
        f.dc.TextOut(kWidth / 2, kHeight - 64, "R:255");
        f.dc.TextOut(kWidth / 2, kHeight - 48, "G:255");
        f.dc.TextOut(kWidth / 2, kHeight - 32, "B:255");
    });
}
BENCHMARK(BM_ColourFieldLabels)->Unit(benchmark::kMicrosecond);

} // namespace
