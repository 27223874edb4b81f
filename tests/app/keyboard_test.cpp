#include "support/pixels.h"
#include "support/session.h"

#include <gtest/gtest.h>

using testing_support::Session;
using testing_support::SettingsBytes;

namespace {

// Starts with the given enabled ids and position, then runs keys and checks.
std::string Selection(std::initializer_list<int> ids) {
    std::string sel(43, '0');
    for (int id : ids) {
        sel[static_cast<std::size_t>(42 - id)] = '1';
    }
    return sel;
}

TEST(Keyboard, PositionKeysFollowTheTable) {
    Session s;
    auto position = [] { return static_cast<int>(Session::Main().Position()); };
    std::vector<int> seen;
    auto note = [&] { s.backend.Run([&] { seen.push_back(position()); }); };
    s.backend.KeyDown(VK_RIGHT); // at 0: nothing
    note();
    s.backend.KeyDown(VK_LEFT);
    note();
    s.backend.KeyDown(VK_ADD);
    note();
    s.backend.KeyDown(VK_OEM_PLUS); // at 0: wraps to the last entry
    note();
    s.backend.KeyDown(VK_LEFT); // at n - 1: nothing
    note();
    s.backend.KeyDown(VK_SUBTRACT); // 43: beyond the playlist, shows entry 0
    note();
    s.backend.KeyDown(VK_LEFT); // 43 is not below 42
    note();
    s.backend.KeyDown(VK_RIGHT);
    note();
    s.backend.KeyDown('9');
    note();
    s.backend.KeyDown(VK_NUMPAD0 + 7);
    note();
    s.backend.KeyDown(VK_OEM_MINUS);
    note();
    s.Run();
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 0, 42, 42, 43, 43, 42, 9, 7, 8}));
}

TEST(Keyboard, DigitsAreBoundedByThePlaylist) {
    Session s;
    s.WriteSettings(SettingsBytes(0, Selection({1, 2, 3, 4, 5})));
    s.backend.KeyDown('9');
    s.backend.Run([] { EXPECT_EQ(Session::Main().Position(), 4); });
    s.backend.KeyDown(VK_NUMPAD9);
    s.backend.Run([] { EXPECT_EQ(Session::Main().Position(), 4); });
    s.Run();
}

TEST(Keyboard, PositionWrapsIn8Bits) {
    Session s;
    s.WriteSettings(SettingsBytes(255, std::string(43, '1')));
    s.backend.KeyDown(VK_SUBTRACT);
    s.backend.Run([] { EXPECT_EQ(Session::Main().Position(), 0); });
    s.Run();
    s.backend.Mouse(WM_RBUTTONDOWN, 10, 10);
    s.backend.Run([] { EXPECT_EQ(Session::Main().Position(), 1); });
    s.backend.Mouse(WM_RBUTTONDBLCLK, 10, 10); // the second press of a double click
    s.backend.Run([] { EXPECT_EQ(Session::Main().Position(), 1); });
    s.Run();
}

TEST(Keyboard, GrayLevelAndStepCountKeys) {
    Session s;
    struct Seen {
        int gray, steps;
        bool operator==(const Seen&) const = default;
    };
    std::vector<Seen> seen;
    auto note = [&] {
        s.backend.Run([&] {
            seen.push_back({Session::Main().GrayLevel(), Session::Main().StepCount()});
        });
    };
    s.backend.KeyDown(VK_DOWN); // at 0: unchanged
    note();
    s.backend.KeyDown(VK_PRIOR); // 0 -> 16, 128 -> 64
    note();
    s.backend.KeyDown(VK_UP); // 17
    note();
    s.backend.KeyDown(VK_NEXT); // 17 -> 0, 64 -> 128
    note();
    for (int i = 0; i < 3; ++i) {
        s.backend.KeyDown(VK_PRIOR); // 16, 32, 48; 64, 32, 16
    }
    note();
    s.backend.KeyDown(VK_PRIOR);
    s.backend.KeyDown(VK_PRIOR); // steps stop at 8
    note();
    for (int i = 0; i < 20; ++i) {
        s.backend.KeyDown(VK_PRIOR);
    }
    note();                   // 255
    s.backend.KeyDown(VK_UP); // at 255: unchanged
    note();
    s.backend.KeyDown(VK_NEXT); // 255 -> 224
    note();
    for (int i = 0; i < 20; ++i) {
        s.backend.KeyDown(VK_NEXT);
    }
    note(); // steps stop at 256, gray at 0
    s.Run();
    EXPECT_EQ(seen, (std::vector<Seen>{{0, 128},
                                       {16, 64},
                                       {17, 64},
                                       {0, 128},
                                       {48, 16},
                                       {80, 8},
                                       {255, 8},
                                       {255, 8},
                                       {224, 16},
                                       {0, 256}}));
}

TEST(Keyboard, EveryKeyButEnterRedrawsAndSystemKeysDoNot) {
    Session s;
    int before = 0;
    s.backend.Run([&] { before = s.backend.Presents(); });
    for (UINT key : {VK_SHIFT, VK_CONTROL, VK_SPACE, static_cast<UINT>('Q'), VK_UP}) {
        s.backend.KeyDown(key);
    }
    s.backend.Run([&] { EXPECT_EQ(s.backend.Presents() - before, 5); });
    s.backend.SysKeyDown(VK_MENU);
    s.backend.SysKeyDown(VK_F10);
    s.backend.Run([&] { EXPECT_EQ(s.backend.Presents() - before, 5); });
    s.Run();
}

TEST(Keyboard, HTogglesTheLabels) {
    Session s;
    s.backend.KeyDown('H');
    s.backend.Run([] { EXPECT_FALSE(Session::Main().LabelsOn()); });
    s.backend.KeyDown('H');
    s.backend.Run([] { EXPECT_TRUE(Session::Main().LabelsOn()); });
    s.Run();
}

TEST(Mouse, ClicksDragRestoreAndAdvance) {
    Session s;
    s.backend.Mouse(WM_LBUTTONDOWN, 5, 6); // maximised: nothing
    s.backend.Run([&] { EXPECT_TRUE(s.backend.DragRequests().empty()); });
    s.backend.Mouse(WM_LBUTTONDBLCLK, 5, 6);
    s.backend.Run([] { EXPECT_FALSE(Session::Main().IsZoomed()); });
    s.backend.Mouse(WM_LBUTTONDOWN, 5, 6); // restored: drags
    s.backend.Run([&] { EXPECT_EQ(s.backend.DragRequests().size(), 1u); });
    s.backend.Mouse(WM_LBUTTONDBLCLK, 5, 6);
    s.backend.Run([] { EXPECT_TRUE(Session::Main().IsZoomed()); });
    s.backend.KeyDown(VK_LEFT); // pattern 1 on screen
    s.backend.Mouse(WM_RBUTTONDOWN, 5, 6);
    s.backend.Run([&] {
        EXPECT_EQ(Session::Main().Position(), 2);
        // The right click shows the start screen, not the next pattern.
        EXPECT_EQ(s.Screen().At(1919, 1), 0x808080u);
    });
    s.Run();
}

} // namespace
