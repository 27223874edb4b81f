#include "app/mem_dc.h"
#include "platform/windowing/dc_window.h"
#include "support/pixels.h"
#include "support/session.h"

#include <gtest/gtest.h>

using testing_support::AllEqual;
using testing_support::DrawInto;
using testing_support::MemoryFrame;
using testing_support::Session;

namespace {

// The current pattern drawn as a paint draws it; whatever it draws, it leaves the DC's
// selection as it found it.
testing_support::Drawn DrawNow(CLumivexDlg& main) {
    testing_support::Drawn d = testing_support::DrawCurrentPattern(main);
    EXPECT_EQ(d.after, d.before);
    return d;
}

TEST(Dispatcher, AnEmptyPlaylistOrABadIdGivesABlackFrame) {
    Session s(64, 48);
    s.backend.Run([] {
        CLumivexDlg& main = Session::Main();
        main.PlaylistForTest().clear();
        EXPECT_TRUE(AllEqual(DrawNow(main).frame, 0));
        main.PlaylistForTest() = {43};
        EXPECT_TRUE(AllEqual(DrawNow(main).frame, 0));
        main.PlaylistForTest() = {-1};
        EXPECT_TRUE(AllEqual(DrawNow(main).frame, 0));
        main.BuildPlaylist();
    });
    s.Run();
}

TEST(Dispatcher, TakesThePositionModuloThePlaylist) {
    Session s(64, 48);
    s.backend.Run([] {
        CLumivexDlg& main = Session::Main();
        main.PlaylistForTest() = {0, 1, 4};
        main.SetStateForTest(0, TRUE, 5, 128); // index 2: pattern 4
        gdi::Surface f = DrawNow(main).frame;
        EXPECT_EQ(testing_support::ColumnsWith(f, 10, 0xFFFFFF), (std::vector<int>{62, 63}));
        main.SetStateForTest(0, TRUE, 255, 128); // 255 mod 3 = 0: pattern 0
        f = DrawNow(main).frame;
        EXPECT_EQ(testing_support::ColumnsWith(f, 10, 0xFFFFFF), (std::vector<int>{0}));
        main.BuildPlaylist();
        main.SetStateForTest(0, TRUE, 0, 128);
    });
    s.Run();
}

TEST(Dispatcher, EveryPatternLeavesPenBrushAndRasterOperation) {
    Session s(200, 120);
    s.backend.Run([] {
        CLumivexDlg& main = Session::Main();
        for (int id = 0; id < 43; ++id) {
            main.SetStateForTest(0, TRUE, static_cast<std::uint8_t>(id), 128);
            EXPECT_EQ(DrawNow(main).rop, R2_COPYPEN) << id;
        }
        main.SetStateForTest(0, TRUE, 0, 128);
    });
    s.Run();
}

TEST(MemDC, CoversTheClipBoxAndCopiesOnlyThatPart) {
    Session s(40, 30);
    s.backend.KeyDown('1'); // pattern 1: column 39 white on black
    s.backend.Expose(RECT{30, 10, 40, 20});
    s.backend.Run([&] {
        // The start screen painted whole, for comparison.
        const gdi::Surface whole =
            DrawInto(40, 30, [](CDC* dc) { Session::Main().DrawStartScreen(dc); }).frame;

        // The exposed part shows the start screen, the rest still the pattern.
        const gdi::Surface& screen = s.Screen();
        for (int y = 0; y < 30; ++y) {
            for (int x = 0; x < 40; ++x) {
                const bool exposed = x >= 30 && y >= 10 && y < 20;
                const std::uint32_t pattern = x == 39 ? 0xFFFFFFu : 0u;
                ASSERT_EQ(screen.At(x, y), exposed ? whole.At(x, y) : pattern) << x << "," << y;
            }
        }
        EXPECT_FALSE(AllEqual(whole, 0)); // the comparison means something
    });
    s.Run();
}

TEST(MemDC, AnExplicitAreaIsUsedWhateverTheClipBox) {
    Session s(40, 30);
    s.backend.Run([] {
        CClientDC client(&Session::Main());
        client.FillSolidRect(0, 0, 40, 30, 0x123456);
        RECT area{5, 6, 15, 9};
        {
            CMemDC mem(&client, &area);
            RECT clip;
            mem.GetClipBox(&clip);
            EXPECT_EQ(clip, area);
            mem.FillSolidRect(0, 0, 40, 30, 0xFFFFFF); // only the area reaches the target
        }
        const gdi::Surface& surface = Session::Main().m_hWnd->surface;
        EXPECT_EQ(surface.At(5, 6), 0xFFFFFFu);
        EXPECT_EQ(surface.At(14, 8), 0xFFFFFFu);
        EXPECT_EQ(surface.At(15, 8), gdi::ToPixel(0x123456));
        EXPECT_EQ(surface.At(4, 6), gdi::ToPixel(0x123456));
    });
    s.Run();
}

TEST(MemDC, APrintingTargetIsDrawnDirectly) {
    MemoryFrame target(8, 8);
    target.dc.m_bPrinting = TRUE;
    {
        CMemDC mem(&target.dc);
        EXPECT_EQ(mem.m_hDC, target.dc.m_hDC);
        mem.FillSolidRect(0, 0, 2, 2, 0xFFFFFF);
    }
    EXPECT_NE(target.dc.m_hDC, nullptr); // not deleted with the CMemDC
    EXPECT_EQ(target.Pixels().At(1, 1), 0xFFFFFFu);
}

TEST(Paint, WhileMinimisedOnlyTheIconIsDrawnCentred) {
    Session s(100, 80);
    s.backend.Run([&] {
        CLumivexDlg& main = Session::Main();
        main.m_hWnd->normalRect = RECT{0, 0, 100, 80};
        main.ShowWindow(SW_MINIMIZE);
        gdi::Surface& surface = main.m_hWnd->surface;
        std::fill(surface.Pixels().begin(), surface.Pixels().end(), 0x00FF00u);
    });
    s.backend.Expose(RECT{0, 0, 1000, 1000});
    s.backend.Run([&] {
        const gdi::Surface& surface = Session::Main().m_hWnd->surface;
        CRect client;
        Session::Main().GetClientRect(&client);
        const int x = (client.Width() - 32 + 1) / 2;
        const int y = (client.Height() - 32 + 1) / 2;
        bool iconDrawn = false;
        for (int yy = 0; yy < surface.Height(); ++yy) {
            for (int xx = 0; xx < surface.Width(); ++xx) {
                const bool inside = xx >= x && xx < x + 32 && yy >= y && yy < y + 32;
                if (surface.At(xx, yy) != 0x00FF00u) {
                    ASSERT_TRUE(inside) << xx << "," << yy;
                    iconDrawn = true;
                }
            }
        }
        EXPECT_TRUE(iconDrawn);
        EXPECT_NE(surface.At(1, 1), 0x808080u); // no start screen
        Session::Main().ShowWindow(SW_SHOWMAXIMIZED);
    });
    s.Run();
}

} // namespace
