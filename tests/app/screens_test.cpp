// The program on a desk of several monitors: where it starts, where maximising takes it, how it
// follows display changes, the system menu's monitor list and the monitor options.

#include "app/screen_options.h"
#include "platform/windowing/dialog_template.h"
#include "platform/windowing/resources.h"
#include "res/resource_ids.h"
#include "support/pixels.h"
#include "support/session.h"

#include <gtest/gtest.h>

#include <sstream>

using testing_support::RowRuns;
using testing_support::Session;
using windowing::Monitor;

namespace {

constexpr std::uint32_t kStartScreenGray = 0x808080;

// The worklist monitor is primary; the diagnostic one stands to its right, portrait, lower,
// with another scale factor.
std::vector<Monitor> Desk() {
    return {
        {"DP-1", RECT{0, 0, 1920, 1080}, 1.0, true},
        {"DP-2", RECT{1920, 120, 3968, 2680}, 2.0, false},
    };
}

RECT ScreenRect() {
    CRect r;
    Session::Main().GetWindowRect(&r);
    return r;
}

SIZE ClientSize() {
    CRect r;
    Session::Main().GetClientRect(&r);
    return SIZE{r.Width(), r.Height()};
}

// The restored window's rectangle: the template's, counted from the monitor's top-left corner.
RECT TemplateRectOn(const RECT& monitor) {
    const windowing::DialogTemplate& t = *windowing::FindDialogTemplate(IDD_LUMIVEX_DIALOG);
    RECT r = windowing::MapDialogRect(windowing::DialogBaseUnits(t), t.x, t.y, t.cx, t.cy);
    OffsetRect(&r, monitor.left, monitor.top);
    return r;
}

// Pattern 1 is one white column at the client area's right edge.
std::string Pattern1Row(int width) {
    return "000000*" + std::to_string(width - 1) + " ffffff*1";
}

TEST(Screens, WithoutAChoiceTheProgramCoversThePrimaryMonitor) {
    std::vector<Monitor> desk = Desk();
    std::swap(desk[0], desk[1]); // the primary need not be the first
    Session s(desk);
    s.backend.Run([&] {
        EXPECT_TRUE(Session::Main().IsZoomed());
        EXPECT_EQ(ScreenRect(), (RECT{0, 0, 1920, 1080}));
    });
    s.Run();
}

TEST(Screens, TheChosenMonitorIsCoveredExactlyAndPatternsHaveItsSize) {
    Session s(Desk());
    windowing::SetStartMonitor(Desk()[1]);
    s.backend.Run([&] {
        EXPECT_EQ(ScreenRect(), Desk()[1].rect);
        EXPECT_EQ(ClientSize(), (SIZE{2048, 2560}));
        EXPECT_EQ(s.Screen().Width(), 2048);
        EXPECT_EQ(s.Screen().At(2047, 2559), kStartScreenGray);
    });
    s.backend.KeyDown(VK_LEFT);
    s.backend.Run([&] { EXPECT_EQ(RowRuns(s.Screen(), 1280), Pattern1Row(2048)); });
    // Restored, it sits where the template says on its own monitor.
    s.backend.Mouse(WM_LBUTTONDBLCLK, 5, 5);
    s.backend.Run([&] { EXPECT_EQ(ScreenRect(), TemplateRectOn(Desk()[1].rect)); });
    s.Run();
}

TEST(Screens, MaximisingCoversTheMonitorTheWindowWasDraggedTo) {
    Session s(Desk());
    s.backend.Mouse(WM_LBUTTONDBLCLK, 5, 5);
    const RECT home = TemplateRectOn(Desk()[0].rect);
    s.backend.Run([&] { EXPECT_EQ(ScreenRect(), home); });
    // Dragged so that most of it lies on the right-hand monitor.
    s.backend.Drag(10, 10, 1800, 300);
    s.backend.Run([&] {
        RECT moved = home;
        OffsetRect(&moved, 1800, 300);
        EXPECT_EQ(ScreenRect(), moved);
    });
    s.backend.Mouse(WM_LBUTTONDBLCLK, 5, 5);
    s.backend.Run([&] {
        EXPECT_TRUE(Session::Main().IsZoomed());
        EXPECT_EQ(ScreenRect(), Desk()[1].rect);
        EXPECT_EQ(s.Screen().Width(), 2048);
        EXPECT_EQ(s.Screen().At(2046, 2558), kStartScreenGray);
    });
    s.backend.KeyDown(VK_LEFT);
    s.backend.Run([&] { EXPECT_EQ(RowRuns(s.Screen(), 7), Pattern1Row(2048)); });
    // Back on the left monitor by a drag of the restored window, maximising goes there.
    s.backend.Mouse(WM_LBUTTONDBLCLK, 5, 5);
    s.backend.Drag(10, 10, -1700, -300);
    s.backend.Mouse(WM_LBUTTONDBLCLK, 5, 5);
    s.backend.Run([&] {
        EXPECT_EQ(ScreenRect(), Desk()[0].rect);
        EXPECT_EQ(s.Screen().Width(), 1920);
    });
    s.Run();
}

TEST(Screens, CaptionedDialogsAreCentredOnTheMonitorOfTheirOwner) {
    Session s(Desk());
    windowing::SetStartMonitor(Desk()[1]);
    s.backend.KeyDown(VK_RETURN);
    s.backend.Run([] {
        HWND dialog = windowing::ActiveModalWindow();
        ASSERT_NE(dialog, nullptr);
        const RECT r = dialog->normalRect;
        const RECT m = Desk()[1].rect;
        const int width = r.right - r.left, height = r.bottom - r.top;
        EXPECT_EQ(r.left, m.left + (m.right - m.left - width) / 2);
        EXPECT_EQ(r.top, m.top + (m.bottom - m.top - height) / 2);
    });
    s.Run();
}

TEST(Screens, AResolutionOrOrientationChangeRepaintsTheStartScreenAtTheNewSize) {
    Session s(Desk());
    windowing::SetStartMonitor(Desk()[1]);
    s.backend.KeyDown(VK_LEFT); // a pattern on the screen, so that the repaint shows
    std::vector<Monitor> rotated = Desk();
    rotated[1].rect = RECT{1920, 120, 4480, 2168};
    s.backend.ChangeMonitors(rotated);
    s.backend.Run([&] {
        EXPECT_TRUE(Session::Main().IsZoomed());
        EXPECT_EQ(ScreenRect(), rotated[1].rect);
        EXPECT_EQ(ClientSize(), (SIZE{2560, 2048}));
        const gdi::Surface& screen = s.Screen();
        ASSERT_EQ(screen.Width(), 2560);
        ASSERT_EQ(screen.Height(), 2048);
        EXPECT_EQ(screen.At(1, 1), kStartScreenGray);
        EXPECT_EQ(screen.At(2558, 2046), kStartScreenGray);
    });
    s.backend.KeyDown(VK_SHIFT);
    s.backend.Run([&] { EXPECT_EQ(RowRuns(s.Screen(), 2047), Pattern1Row(2560)); });
    s.Run();
}

TEST(Screens, AWindowWhoseMonitorIsUnpluggedMovesToThePrimaryOne) {
    Session s(Desk());
    windowing::SetStartMonitor(Desk()[1]);
    s.backend.ChangeMonitors({Desk()[0]});
    s.backend.Run([&] {
        EXPECT_TRUE(Session::Main().IsZoomed());
        EXPECT_EQ(ScreenRect(), Desk()[0].rect);
        EXPECT_EQ(s.Screen().Width(), 1920);
        EXPECT_EQ(s.Screen().At(1918, 1078), kStartScreenGray);
    });
    // Restored, it keeps its place relative to its new monitor.
    s.backend.Mouse(WM_LBUTTONDBLCLK, 5, 5);
    s.backend.Run([&] { EXPECT_EQ(ScreenRect(), TemplateRectOn(Desk()[0].rect)); });
    s.Run();
}

TEST(Screens, TheSystemMenuListsTheMonitorsAndMovesTheWindowThere) {
    Session s(Desk());
    auto items = [] {
        std::vector<std::string> texts;
        CMenu* menu = Session::Main().GetSystemMenu(FALSE);
        for (const MenuData::Item& item : menu->m_hMenu->items) {
            texts.push_back(item.flags & MF_SEPARATOR ? "-" : item.text);
        }
        return texts;
    };
    s.backend.Run([&] {
        EXPECT_EQ(items(), (std::vector<std::string>{"-", "关于 Lumivex(&A)...", "-",
                                                     "显示器 &0：DP-1（1920 × 1080）",
                                                     "显示器 &1：DP-2（2048 × 2560）"}));
        Session::Main().SendMessage(WM_SYSCOMMAND, IDM_SCREEN_FIRST + 0x10, 0);
        EXPECT_TRUE(Session::Main().IsZoomed());
        EXPECT_EQ(ScreenRect(), Desk()[1].rect);
    });
    s.backend.Run([&] {
        // The move repainted the start screen at the new monitor's size.
        EXPECT_EQ(s.Screen().Width(), 2048);
        EXPECT_EQ(s.Screen().At(2046, 2558), kStartScreenGray);
        // Restored, the template's place on that monitor.
        Session::Main().ShowWindow(SW_SHOWNORMAL);
        EXPECT_EQ(ScreenRect(), TemplateRectOn(Desk()[1].rect));
        // From a restored window, too; the low four bits do not count.
        Session::Main().SendMessage(WM_SYSCOMMAND, IDM_SCREEN_FIRST + 3, 0);
        EXPECT_EQ(ScreenRect(), Desk()[0].rect);
    });
    std::vector<Monitor> changed = Desk();
    changed.push_back({"HDMI-1", RECT{-1280, 0, 0, 1024}, 1.0, false});
    changed[1].rect = RECT{1920, 120, 4480, 2168};
    s.backend.ChangeMonitors(changed);
    s.backend.Run([&] {
        const std::vector<std::string> texts = items();
        ASSERT_EQ(texts.size(), 6u);
        EXPECT_EQ(texts[4], "显示器 &1：DP-2（2560 × 2048）");
        EXPECT_EQ(texts[5], "显示器 &2：HDMI-1（1280 × 1024）");
        Session::Main().SendMessage(WM_SYSCOMMAND, IDM_SCREEN_FIRST + 0x20, 0);
        EXPECT_EQ(ScreenRect(), changed[2].rect);
        // Items of monitors that no longer exist do nothing.
        Session::Main().SendMessage(WM_SYSCOMMAND, IDM_SCREEN_FIRST + 0x50, 0);
        EXPECT_EQ(ScreenRect(), changed[2].rect);
    });
    s.Run();
}

struct Outcome {
    std::optional<int> code;
    std::string out, err;
};

Outcome Apply(std::vector<const char*> args) {
    args.insert(args.begin(), "lumivex");
    std::ostringstream out, err;
    Outcome o;
    o.code = ApplyScreenOptions(static_cast<int>(args.size()), args.data(), out, err);
    o.out = out.str();
    o.err = err.str();
    return o;
}

TEST(ScreenOptions, ListScreensPrintsEveryMonitorAndEnds) {
    Session s(Desk());
    const Outcome o = Apply({"--list-screens"});
    EXPECT_EQ(o.code, 0);
    EXPECT_EQ(o.out, "#  name  x     y    width  height  scale  primary\n"
                     "0  DP-1  0     0    1920   1080    1      yes\n"
                     "1  DP-2  1920  120  2048   2560    2      no\n");
    EXPECT_EQ(o.err, "");
}

TEST(ScreenOptions, ScreenChoosesAMonitorByIndexOrName) {
    Session s(Desk());
    EXPECT_EQ(Apply({"--screen", "1"}).code, std::nullopt);
    ASSERT_TRUE(theApp.Windows().startMonitor);
    EXPECT_EQ(theApp.Windows().startMonitor->name, "DP-2");
    EXPECT_EQ(Apply({"--screen=DP-1"}).code, std::nullopt);
    EXPECT_EQ(theApp.Windows().startMonitor->name, "DP-1");
    EXPECT_EQ(Apply({"--screen", "0"}).code, std::nullopt);
    EXPECT_EQ(theApp.Windows().startMonitor->name, "DP-1");
}

TEST(ScreenOptions, AnUnknownMonitorEndsWithCode2AndTheList) {
    Session s(Desk());
    const std::vector<std::pair<std::vector<const char*>, std::string>> unknown = {
        {{"--screen", "2"}, "2"}, {{"--screen", "HDMI-1"}, "HDMI-1"}, {{"--screen=-1"}, "-1"}};
    for (const auto& [args, which] : unknown) {
        const Outcome o = Apply(args);
        EXPECT_EQ(o.code, 2);
        EXPECT_NE(o.err.find("there is no monitor '" + which + "'"), std::string::npos) << o.err;
        EXPECT_NE(o.err.find("1  DP-2  1920"), std::string::npos) << o.err;
        EXPECT_FALSE(theApp.Windows().startMonitor);
    }
    const Outcome missing = Apply({"--screen"});
    EXPECT_EQ(missing.code, 2);
    EXPECT_NE(missing.err.find("--screen needs"), std::string::npos);
}

} // namespace
