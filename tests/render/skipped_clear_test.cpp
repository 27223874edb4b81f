// The dispatcher leaves out its black clear for the patterns that paint every pixel: whatever
// the frame held before, each pattern must then come out exactly as on a black frame, with the
// background colour the clear would have left.

#include "support/memory_frame.h"
#include "support/session.h"

#include <gtest/gtest.h>

#include <utility>

using testing_support::MemoryFrame;
using testing_support::Session;

namespace {

constexpr COLORREF kLeftover = 0x3C1E5A; // no pattern draws this colour

void ExpectSameOnAnyFrame(CLumivexDlg& main, const char* state) {
    CRect client;
    main.GetClientRect(&client);
    const int w = client.Width(), h = client.Height();
    ASSERT_GT(w, 0);
    for (int id = 0; id < 43; ++id) {
        main.PlaylistForTest() = {id};
        MemoryFrame black(w, h, 0x000000);
        MemoryFrame leftover(w, h, kLeftover);
        main.DrawCurrentPattern(&black.dc);
        main.DrawCurrentPattern(&leftover.dc);
        const gdi::Surface& a = black.Pixels();
        const gdi::Surface& b = leftover.Pixels();
        EXPECT_TRUE(a.Pixels() == b.Pixels()) << "pattern " << id << ", " << state;
        EXPECT_EQ(leftover.dc.GetBkColor(), black.dc.GetBkColor())
            << "pattern " << id << ", " << state;
    }
}

TEST(SkippedClear, EveryPatternPaintsTheSameOverAnyFrame) {
    struct State {
        int gray;
        BOOL labels;
        int steps;
        const char* name;
    };
    const State states[] = {
        {0, TRUE, 128, "labels, even level, 128 steps"},
        {7, FALSE, 8, "no labels, odd level, 8 steps"},
        {255, TRUE, 256, "labels, level 255, 256 steps"},
        {2, FALSE, 13, "no labels, 13 steps"},
    };
    // Odd sizes, a tiny one and one beyond the 1024-pixel squares of patterns 36 and 37.
    for (auto [w, h] : {std::pair{37, 23}, {5, 3}, {1031, 1029}}) {
        Session s(w, h);
        s.backend.Run([&] {
            CLumivexDlg& main = Session::Main();
            for (const State& st : states) {
                main.SetStateForTest(st.gray, st.labels, 0, st.steps);
                ExpectSameOnAnyFrame(main, st.name);
            }
            main.BuildPlaylist();
            main.SetStateForTest(0, TRUE, 0, 128);
        });
        s.Run();
    }
}

} // namespace
