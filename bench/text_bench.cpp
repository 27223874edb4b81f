// Text at 3840 x 2160: the text page's five 200 x 200 blocks and the colour fields' labels,
// each next to the cost of filling the same frame once ("fill_ratio", measured in the same
// run). Glyphs are rasterised on the first draw of a size; the timed iterations reuse them.

#include "fields/text_page.h"
#include "measure.h"
#include "platform/gdi/dc.h"
#include "platform/gdi/text.h"
#include "platform/gdi/text_layout.h"

#include <benchmark/benchmark.h>

#include <array>

namespace {

using namespace bench_support;

constexpr int kWidth = 3840;
constexpr int kHeight = 2160;
constexpr UINT kFormat = DT_CENTER | DT_WORDBREAK | DT_EDITCONTROL;

// Runs body once per iteration, after a first draw that rasterises the glyphs, and reports its
// time as a multiple of one frame fill.
template <class Body> void MeasureDrawnAgain(benchmark::State& state, Body body) {
    body();
    MeasureAgainstFrameFill(state, kWidth, kHeight, body);
}

void BM_TextPageFiveBlocks(benchmark::State& state) {
    MemoryFrame f(kWidth, kHeight, 0x000000);
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
    MeasureDrawnAgain(state, [&] {
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
    MeasureAgainstFrameFill(state, kWidth, kHeight, [&] {
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
    MemoryFrame f(kWidth, kHeight, 0x000000);
    f.dc.SetBkMode(TRANSPARENT);
    f.dc.SetTextColor(0xFFFFFF);
    MeasureDrawnAgain(state, [&] {
        f.dc.TextOut(kWidth / 2, kHeight - 64, "R:255");
        f.dc.TextOut(kWidth / 2, kHeight - 48, "G:255");
        f.dc.TextOut(kWidth / 2, kHeight - 32, "B:255");
    });
}
BENCHMARK(BM_ColourFieldLabels)->Unit(benchmark::kMicrosecond);

} // namespace
