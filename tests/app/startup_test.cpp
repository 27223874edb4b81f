#include "res/resource_ids.h"
#include "support/pixels.h"
#include "support/session.h"

#include <gtest/gtest.h>

using testing_support::Session;
using testing_support::SettingsBytes;

namespace {

TEST(Startup, FirstRunHasTheInitialStateAndCoversTheScreen) {
    Session s(1920, 1080);
    s.backend.Run([&] {
        CLumivexDlg& main = Session::Main();
        EXPECT_EQ(main.GrayLevel(), 0);
        EXPECT_EQ(main.StepCount(), 128);
        EXPECT_TRUE(main.LabelsOn());
        EXPECT_EQ(main.Position(), 0);
        EXPECT_TRUE(main.EnabledSet().all());
        ASSERT_EQ(main.Playlist().size(), 43u);
        for (int i = 0; i < 43; ++i) {
            EXPECT_EQ(main.Playlist()[static_cast<std::size_t>(i)], i);
        }
        EXPECT_TRUE(main.IsZoomed());
        CRect client;
        main.GetClientRect(&client);
        EXPECT_EQ(client, CRect(0, 0, 1920, 1080));
        // The first system paint drew the start screen's gray background.
        EXPECT_EQ(s.Screen().At(1, 1), 0x808080u);
        EXPECT_TRUE(s.backend.HotKeyHeld(1688));
        // The system menu gains a separator and the About item, then the list of monitors.
        CMenu* menu = main.GetSystemMenu(FALSE);
        ASSERT_NE(menu, nullptr);
        ASSERT_EQ(menu->GetMenuItemCount(), 4);
        EXPECT_EQ(menu->m_hMenu->items[0].flags, MF_SEPARATOR);
        EXPECT_EQ(menu->m_hMenu->items[1].id, 0x0010u);
        EXPECT_EQ(menu->m_hMenu->items[1].text, "关于 Lumivex(&A)...");
        EXPECT_EQ(menu->m_hMenu->items[2].flags, MF_SEPARATOR);
        EXPECT_EQ(menu->m_hMenu->items[3].text, "显示器 &0：headless（1920 × 1080）");
        EXPECT_NE(main.GetIcon(TRUE), nullptr);
        EXPECT_EQ(main.GetIcon(TRUE), main.GetIcon(FALSE));
    });
    s.Run();
    EXPECT_FALSE(s.backend.HotKeyHeld(1688));
    EXPECT_EQ(AfxGetMainWnd(), nullptr);
}

TEST(Startup, OnlyPositionAndSelectionOutliveARun) {
    Session s;
    s.WriteSettings(SettingsBytes(5, std::string(43, '1')));
    s.backend.KeyDown(VK_UP);
    s.backend.KeyDown(VK_PRIOR);
    s.backend.KeyDown('H');
    s.backend.Run([] {
        EXPECT_EQ(Session::Main().Position(), 5);
        EXPECT_EQ(Session::Main().GrayLevel(), 16);
        EXPECT_FALSE(Session::Main().LabelsOn());
    });
    s.Run();
    s.backend.Run([] {
        CLumivexDlg& main = Session::Main();
        EXPECT_EQ(main.Position(), 5);
        EXPECT_EQ(main.GrayLevel(), 0);
        EXPECT_EQ(main.StepCount(), 128);
        EXPECT_TRUE(main.LabelsOn());
    });
    s.Run();
}

TEST(Startup, EscapeRedrawsOnceSavesAndEndsTheProgram) {
    Session s;
    bool ran = false;
    int presentsBefore = -1;
    s.backend.Run([&] {
        ran = true;
        presentsBefore = s.backend.Presents();
    });
    s.backend.KeyDown(VK_ESCAPE);
    s.backend.Run([] { ADD_FAILURE() << "the program should have ended"; });
    s.Run();
    EXPECT_TRUE(ran);
    EXPECT_EQ(s.backend.Presents(), presentsBefore + 1);
    EXPECT_EQ(s.ReadSettings(), SettingsBytes(0, std::string(43, '1')));
}

TEST(Startup, AboutBoxOpensForTheAboutCommandIgnoringItsLowBits) {
    Session s;
    int aboutOpened = 0;
    auto checkAbout = [&] {
        HWND active = windowing::ActiveModalWindow();
        if (active && active->text == "关于 Lumivex") {
            ++aboutOpened;
        }
    };
    s.backend.Run([&] { Session::Main().SendMessage(WM_SYSCOMMAND, 0x0013, 0); });
    s.backend.Run(checkAbout);
    s.backend.KeyDown(VK_RETURN); // the About box's default button closes it
    s.backend.Run([&] {
        EXPECT_EQ(windowing::ActiveModalWindow(), Session::Main().m_hWnd);
        EXPECT_TRUE(Session::Main().IsWindowEnabled());
    });
    s.Run();
    EXPECT_EQ(aboutOpened, 1);
}

TEST(Startup, TheHotKeyHasNoEffect) {
    Session s;
    s.backend.Run([] {
        CLumivexDlg& main = Session::Main();
        EXPECT_EQ(main.SendMessage(WM_HOTKEY, 1688, MAKELPARAM(MOD_CONTROL | MOD_SHIFT, 'A')), 0);
        EXPECT_EQ(main.Position(), 0);
        EXPECT_EQ(main.GrayLevel(), 0);
    });
    s.Run();
}

} // namespace
