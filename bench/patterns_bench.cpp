// Every pattern and the start screen rendered at 1920 x 1080, 3840 x 2160 and 2048 x 2560, each
// reported with its cost as a multiple of filling the same frame once, measured in the same run:
// with FillSolidRect ("x_fill") and with a plain loop of stores ("x_loop"). The benchmarks of the
// other files (registered statically) run first.

#include "app/mem_dc.h"
#include "measure.h"
#include "support/session.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace bench_support;

// Runs draw(main window, memory DC of w x h) in a program session on a screen of w x h, then
// fills the same frame twenty times for the yardstick.
template <class Draw> void InSession(benchmark::State& state, int w, int h, Draw draw) {
    testing_support::InWindow(w, h, [&](CLumivexDlg& main) {
        MemoryFrame target(w, h);
        const auto [drawNanoseconds] = MeanNanoseconds(state, [&] { draw(main, &target.dc); });
        ReportAgainstFills(state, target, drawNanoseconds, FillNanoseconds(target.dc, w, h, 1, 20));
    });
}

// One key press's frame: a DC on the window's surface, the off-screen buffer of its size, the
// pattern drawn into it (pattern 0: the black clear and one line) and the copy back.
void KeyFrame(benchmark::State& state, int w, int h) {
    InSession(state, w, h, [](CLumivexDlg& main, CDC*) {
        main.SetStateForTest(0, TRUE, 0, 128);
        CRect client;
        main.GetClientRect(&client);
        CDC window;
        window.Attach(CreateWindowDC(&main.m_hWnd->surface, client));
        {
            CMemDC memDC(&window);
            main.DrawCurrentPattern(&memDC);
        }
        ::DeleteDC(window.Detach());
    });
}

void RegisterAll() {
    for (auto [w, h] : {std::pair{1920, 1080}, {3840, 2160}, {2048, 2560}}) {
        const std::string size = std::to_string(w) + "x" + std::to_string(h);
        benchmark::RegisterBenchmark(("key_frame/" + size).c_str(), [w = w, h = h](
                                                                        benchmark::State& state) {
            KeyFrame(state, w, h);
        })->Unit(benchmark::kMillisecond);
        for (int id = 0; id < 43; ++id) {
            benchmark::RegisterBenchmark(
                ("pattern/" + std::to_string(id) + "/" + size).c_str(),
                [w = w, h = h, id](benchmark::State& state) {
                    InSession(state, w, h, [id](CLumivexDlg& main, CDC* dc) {
                        main.SetStateForTest(0, TRUE, static_cast<std::uint8_t>(id), 256);
                        main.DrawCurrentPattern(dc);
                    });
                })
                ->Unit(benchmark::kMillisecond);
        }
        benchmark::RegisterBenchmark(("start_screen/" + size).c_str(),
                                     [w = w, h = h](benchmark::State& state) {
                                         InSession(state, w, h, [](CLumivexDlg& main, CDC* dc) {
                                             main.DrawStartScreen(dc);
                                         });
                                     })
            ->Unit(benchmark::kMillisecond);
    }
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RegisterAll();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
