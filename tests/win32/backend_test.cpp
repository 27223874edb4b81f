// The Windows backend with real windows (under Wine on a virtual X server in the tests).

#include "catalogue/catalogue.h"
#include "res/resource_ids.h"
#include "win32/native_driver.h"
#include "win32/win32_session.h"

#include <gtest/gtest.h>

#include <algorithm>

using win32_testing::Win32Session;

namespace {

bool SameFrame(const gdi::Surface& a, const gdi::Surface& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) {
        return false;
    }
    for (int y = 0; y < a.Height(); ++y) {
        if (!std::equal(a.Row(y), a.Row(y) + a.Width(), b.Row(y))) {
            return false;
        }
    }
    return true;
}

bool Shown(const Win32Session& s) {
    return s.MainWindow() && win32test::IsVisible(s.MainWindow()) && s.Screen().Width() > 2 &&
           s.Screen().At(1, 1) == 0x808080;
}

TEST(Win32Backend, TheMainWindowCoversThePrimaryMonitorAndShowsItsSurfaceOneToOne) {
    Win32Session s;
    s.WaitUntil([&] { return Shown(s); }, "the start screen is shown");
    gdi::Surface start;
    s.Do([&] {
        start = s.Screen();
        const windowing::Monitor monitor = windowing::PrimaryMonitor();
        ASSERT_GT(monitor.rect.right - monitor.rect.left, 0);
        const win32test::Box client = win32test::ClientOnScreen(s.MainWindow());
        EXPECT_EQ((RECT{client.left, client.top, client.right, client.bottom}), monitor.rect);
        EXPECT_TRUE(Win32Session::Main().IsZoomed());
        EXPECT_TRUE(SameFrame(s.Screen(), Win32Session::Main().m_hWnd->surface))
            << "the start screen differs from the surface";
    });
    // A key's frame is on the screen once the key has been handled, without a system paint.
    s.Key(VK_LEFT);
    s.Do([&] {
        const gdi::Surface screen = s.Screen();
        EXPECT_TRUE(SameFrame(screen, Win32Session::Main().m_hWnd->surface));
        EXPECT_FALSE(SameFrame(screen, start)) << "the key's pattern is not on the screen";
    });
    s.Run();
}

TEST(Win32Backend, TheSelectionDialogHasRealControlsThatFollowTheWindowLayer) {
    Win32Session s;
    s.WaitUntil([&] { return Shown(s); }, "the start screen is shown");
    s.Key(VK_RETURN);
    s.WaitUntil([&] { return s.Dialog() && win32test::IsVisible(s.Dialog()); }, "the dialog");
    s.Do([&] {
        void* dialog = s.Dialog();
        EXPECT_EQ(win32test::Title(dialog), "画面显示选项");
        EXPECT_FALSE(win32test::IsEnabled(s.MainWindow())) << "the main window takes input";
        EXPECT_EQ(win32test::Children(dialog).size(), 47u);
        for (int i = 0; i < kPatternCount; ++i) {
            void* box = s.Control(IDC_FIRST_PATTERN_BOX + i);
            ASSERT_NE(box, nullptr);
            EXPECT_TRUE(win32test::IsVisible(box)) << "box " << i;
            EXPECT_TRUE(win32test::IsChecked(box)) << "box " << i;
            EXPECT_EQ(win32test::Title(box), catalogue::Label(i)) << "box " << i;
        }
        for (int spare : {IDC_SPARE_BOX, IDC_SPARE_BOX + 1, IDC_SPARE_BOX + 2}) {
            EXPECT_FALSE(win32test::IsVisible(s.Control(spare))) << "spare " << spare;
        }
        EXPECT_TRUE(win32test::IsVisible(s.Control(IDC_CLEAR_ALL)));
        EXPECT_EQ(win32test::Focus(), s.Control(IDC_FIRST_PATTERN_BOX));
        EXPECT_FALSE(win32test::FontFace(s.Control(IDC_FIRST_PATTERN_BOX)).empty());
    });
    // The window layer's dialog manager moves the focus and ticks; the control shows it.
    s.Key(VK_TAB);
    s.Key(VK_SPACE);
    s.Do([&] {
        void* second = s.Control(IDC_FIRST_PATTERN_BOX + 1);
        EXPECT_EQ(win32test::Focus(), second);
        EXPECT_FALSE(win32test::IsChecked(second));
        EXPECT_TRUE(Win32Session::Main().EnabledSet().test(1)) << "changed before closing";
        // A mouse click ticks once, not once by the control and once by the window layer.
        win32test::Click(s.Control(IDC_FIRST_PATTERN_BOX + 2));
    });
    s.Do([&] {
        EXPECT_FALSE(win32test::IsChecked(s.Control(IDC_FIRST_PATTERN_BOX + 2)));
        EXPECT_EQ(win32test::Focus(), s.Control(IDC_FIRST_PATTERN_BOX + 2));
        win32test::Click(s.Control(IDC_CLEAR_ALL));
    });
    s.Do([&] {
        for (int i = 0; i < kPatternCount; ++i) {
            EXPECT_FALSE(win32test::IsChecked(s.Control(IDC_FIRST_PATTERN_BOX + i))) << i;
        }
        win32test::Click(s.Control(IDC_FIRST_PATTERN_BOX + 7));
    });
    // The close box (WM_CLOSE) keeps the ticks, as Enter does.
    s.Do([&] { win32test::PostClose(s.Dialog()); });
    s.WaitUntil([&] { return !s.Dialog(); }, "the dialog is closed");
    s.Do([&] {
        EXPECT_EQ(Win32Session::Main().EnabledSet().to_ullong(), 1ull << 7);
        EXPECT_TRUE(win32test::IsEnabled(s.MainWindow()));
        EXPECT_EQ(win32test::Foreground(), s.MainWindow()) << "the keyboard is not back";
    });
    s.Run();
}

TEST(Win32Backend, TheSystemMenuCarriesTheAboutItemAndTheAboutBoxItsIcon) {
    Win32Session s;
    s.WaitUntil([&] { return Shown(s); }, "the start screen is shown");
    s.Key(VK_SPACE, true); // Alt+Space
    s.WaitUntil([&] { return win32test::OpenMenuOwner() != nullptr; }, "the system menu");
    s.Do([&] {
        const std::vector<std::string> texts = win32test::SystemMenuTexts(s.MainWindow());
        // The program's items follow the system's: About, a separator, one item per monitor.
        const auto about = std::find(texts.begin(), texts.end(), "关于 Lumivex(&A)...");
        ASSERT_NE(about, texts.end());
        ASSERT_EQ(texts.end() - about, 3) << "not one monitor item after About";
        EXPECT_NE(texts.back().find("DISPLAY1"), std::string::npos) << texts.back();
        win32test::CloseMenus();
    });
    s.WaitUntil([&] { return win32test::OpenMenuOwner() == nullptr; }, "the menu closed");
    s.Do([&] { win32test::PostSystemCommand(s.MainWindow(), IDM_ABOUTBOX); });
    s.WaitUntil([&] { return s.Dialog() && win32test::IsVisible(s.Dialog()); }, "the About box");
    s.Do([&] {
        EXPECT_EQ(win32test::Title(s.Dialog()), "关于 Lumivex");
        bool icon = false;
        for (void* c : win32test::Children(s.Dialog())) {
            icon = icon || win32test::HasIcon(c);
        }
        EXPECT_TRUE(icon) << "the About box shows no icon";
    });
    s.Key(VK_RETURN);
    s.WaitUntil([&] { return !s.Dialog(); }, "the About box is closed");
    s.Run();
}

TEST(Win32Backend, TheHotKeyIsHeldWhileTheProgramRuns) {
    ASSERT_TRUE(win32test::HotKeyFree(MOD_CONTROL | MOD_SHIFT, 'A'));
    {
        Win32Session s;
        s.WaitUntil([&] { return Shown(s); }, "the start screen is shown");
        s.Do([] { EXPECT_FALSE(win32test::HotKeyFree(MOD_CONTROL | MOD_SHIFT, 'A')); });
        s.Run();
    }
    EXPECT_TRUE(win32test::HotKeyFree(MOD_CONTROL | MOD_SHIFT, 'A'));
}

TEST(Win32Backend, TheSystemsCloseRequestSavesTheSettingsBesideTheExecutable) {
    Win32Session s;
    s.WaitUntil([&] { return Shown(s); }, "the start screen is shown");
    s.Key('7');
    s.Do([&] { win32test::PostClose(s.MainWindow()); });
    s.Run();
    const std::vector<std::uint8_t> settings = s.ReadSettings();
    ASSERT_EQ(settings.size(), 45u);
    EXPECT_EQ(settings[0], 7);
    EXPECT_EQ(settings[1], 43);
}

TEST(Win32Backend, ModuleAndMonitorsComeFromTheSystem) {
    win32backend::Backend backend;
    const std::string path = backend.ModulePath();
    EXPECT_EQ(path, win32test::ExecutablePath());
    EXPECT_TRUE(path.ends_with(".exe")) << path;
    const std::vector<windowing::Monitor> monitors = backend.Monitors();
    ASSERT_FALSE(monitors.empty());
    EXPECT_EQ(std::count_if(monitors.begin(), monitors.end(),
                            [](const windowing::Monitor& m) { return m.primary; }),
              1);
    for (const windowing::Monitor& m : monitors) {
        EXPECT_TRUE(m.name.starts_with("\\\\.\\DISPLAY")) << m.name;
        EXPECT_GT(m.rect.right - m.rect.left, 0);
        EXPECT_GE(m.scale, 1.0);
    }
}

} // namespace
