// The program on a desk of three monitors of different sizes, places and scale factors, on the
// offscreen platform configured by tests/qt/desk.json with QT_SCREEN_SCALE_FACTORS="2;1;1.5"
// (the qt_tests_desk test). The monitors change while the program runs through the platform's
// own configuration call.

#include "platform/qt/screens.h"
#include "platform/windowing/window_manager.h"
#include "qt/qt_session.h"
#include "support/pixels.h"

#include <QApplication>
#include <QJsonArray>
#include <QJsonObject>
#include <QMenu>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <qpa/qplatformnativeinterface.h>

#include <gtest/gtest.h>

using qt_testing::QtSession;
using testing_support::RowRuns;
using windowing::Monitor;

namespace {

constexpr std::uint32_t kStartScreenGray = 0x808080;

struct Screen {
    const char* name;
    RECT rect;
};
const Screen kDesk[] = {{"DESK-1", RECT{0, 0, 1280, 1024}},
                        {"DESK-2", RECT{1280, -200, 2480, 1720}},
                        {"DESK-3", RECT{2480, 0, 3920, 900}}};

QJsonObject ScreenConfig(const char* name, const RECT& r) {
    return QJsonObject{{"name", name},
                       {"x", int(r.left)},
                       {"y", int(r.top)},
                       {"width", int(r.right - r.left)},
                       {"height", int(r.bottom - r.top)}};
}

// Rearranges the offscreen platform's screens as a window system would on a display change.
void SetScreens(const std::vector<Screen>& screens) {
    QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
    ASSERT_NE(native, nullptr);
    using Get = QJsonObject (*)(QPlatformNativeInterface*);
    using Set = void (*)(const QJsonObject&, QPlatformNativeInterface*);
    auto get = reinterpret_cast<Get>(native->nativeResourceForIntegration("configuration"));
    auto set = reinterpret_cast<Set>(native->nativeResourceForIntegration("setConfiguration"));
    ASSERT_NE(get, nullptr);
    ASSERT_NE(set, nullptr);
    QJsonObject config = get(native);
    QJsonArray array;
    for (const Screen& s : screens) {
        array.append(ScreenConfig(s.name, s.rect));
    }
    config["screens"] = array;
    set(config, native);
}

void RestoreDesk() {
    SetScreens({kDesk[0], kDesk[1], kDesk[2]});
}

RECT WindowRect() {
    CRect r;
    QtSession::Main().GetWindowRect(&r);
    return r;
}

// The key leaves pattern 1 (one white line at the right edge) on the screen, checked on row.
void ExpectKeyShowsPattern1(QtSession& s, Qt::Key key, int row, int width) {
    QTest::keyClick(QApplication::focusWidget(), key);
    EXPECT_EQ(RowRuns(s.Screen(), row), "000000*" + std::to_string(width - 1) + " ffffff*1");
}

// The main window is maximised over exactly this device rectangle, on the screen's pixels.
void ExpectCovers(QtSession& s, const RECT& monitor) {
    const int width = monitor.right - monitor.left, height = monitor.bottom - monitor.top;
    EXPECT_TRUE(QtSession::Main().IsZoomed());
    EXPECT_EQ(WindowRect(), monitor);
    EXPECT_EQ(qtbackend::DeviceClientRect(s.MainWidget()), monitor);
    const gdi::Surface shown = s.Screen();
    EXPECT_EQ(shown.Width(), width);
    EXPECT_EQ(shown.Height(), height);
}

TEST(QtDesk, TheMonitorsAreTheScreensInDevicePixels) {
    QtSession s;
    const std::vector<Monitor> monitors = s.backend.Monitors();
    ASSERT_EQ(monitors.size(), 3u) << "run with tests/qt/desk.json";
    const double scales[] = {2.0, 1.0, 1.5};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(monitors[i].name, kDesk[i].name);
        EXPECT_EQ(monitors[i].rect, kDesk[i].rect) << kDesk[i].name;
        EXPECT_DOUBLE_EQ(monitors[i].scale, scales[i]);
        EXPECT_EQ(monitors[i].primary, i == 0);
    }
}

TEST(QtDesk, EachMonitorIsCoveredPixelForPixelWhateverItsScale) {
    for (const Screen& screen : kDesk) {
        SCOPED_TRACE(screen.name);
        QtSession s;
        const int width = screen.rect.right - screen.rect.left;
        const int height = screen.rect.bottom - screen.rect.top;
        const std::vector<Monitor> monitors = s.backend.Monitors();
        windowing::SetStartMonitor(monitors[static_cast<std::size_t>(&screen - kDesk)]);
        s.WaitUntil([&] { return s.ScreenShows(width - 2, height - 2, kStartScreenGray); },
                    "the start screen covers the monitor");
        s.Do([&] {
            ExpectCovers(s, screen.rect);
            EXPECT_EQ(s.MainWidget()->screen()->name(), screen.name);
            ExpectKeyShowsPattern1(s, Qt::Key_Left, height / 2, width);
        });
        s.EscapeAndRun();
    }
}

TEST(QtDesk, ARestoredWindowDraggedToAnotherMonitorMaximisesThere) {
    QtSession s;
    s.WaitUntil([&] { return s.ScreenShows(1, 1, kStartScreenGray); }, "start screen shown");
    s.Do([&] { QTest::mouseDClick(s.MainWidget(), Qt::LeftButton, {}, QPoint(5, 5)); });
    s.WaitUntil([&] { return !s.MainWidget()->isFullScreen(); }, "restored");
    s.Do([&] {
        const RECT r = WindowRect();
        EXPECT_EQ(r.left, 0);
        EXPECT_EQ(r.top, 0);
        // A drag by hand (no window manager) to the right-hand portrait monitor: 690 x 190
        // logical pixels of this monitor, whose scale is 2.
        QTest::mousePress(s.MainWidget(), Qt::LeftButton, {}, QPoint(10, 10));
    });
    s.Do([&] { QTest::mouseMove(s.MainWidget(), QPoint(700, 200)); });
    s.Do([&] {
        QTest::mouseRelease(s.MainWidget(), Qt::LeftButton, {}, QPoint(700, 200));
        const RECT r = WindowRect();
        EXPECT_EQ(windowing::MonitorIndexFromRect(s.backend.Monitors(), r), 1)
            << r.left << "," << r.top;
        EXPECT_FALSE(QtSession::Main().IsZoomed());
        QTest::mouseDClick(s.MainWidget(), Qt::LeftButton, {}, QPoint(5, 5));
    });
    s.WaitUntil([&] { return s.MainWidget()->isFullScreen(); }, "maximised again");
    s.WaitUntil([&] { return s.ScreenShows(1198, 1918, kStartScreenGray); },
                "the start screen covers the portrait monitor");
    s.Do([&] {
        ExpectCovers(s, kDesk[1].rect);
        ExpectKeyShowsPattern1(s, Qt::Key_Left, 1000, 1200);
    });
    s.EscapeAndRun();
}

TEST(QtDesk, TheSystemMenuMovesTheWindowAndTheAboutBoxFollowsIt) {
    QtSession s;
    s.WaitUntil([&] { return s.ScreenShows(1, 1, kStartScreenGray); }, "start screen shown");
    s.OpenSystemMenu();
    s.Do([] {
        QMenu* menu = QtSession::OpenMenu();
        const QList<QAction*> actions = menu->actions();
        ASSERT_GE(actions.size(), 5);
        QStringList texts;
        for (QAction* a : actions.mid(actions.size() - 5)) {
            texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
        }
        EXPECT_EQ(texts, (QStringList{QStringLiteral("关于 Lumivex(&A)..."), "-",
                                      QStringLiteral("显示器 &0：DESK-1（1280 × 1024）"),
                                      QStringLiteral("显示器 &1：DESK-2（1200 × 1920）"),
                                      QStringLiteral("显示器 &2：DESK-3（1440 × 900）")}));
        actions.back()->trigger();
        menu->close();
    });
    s.WaitUntil([&] { return s.ScreenShows(1438, 898, kStartScreenGray); },
                "the start screen on the third monitor");
    s.Do([&] { ExpectCovers(s, kDesk[2].rect); });
    s.Do([] { QtSession::Main().SendMessage(WM_SYSCOMMAND, 0x0010, 0); });
    s.WaitUntil([&] { return s.Dialog() && s.Dialog()->isVisible(); }, "the About box is open");
    s.Do([&] {
        const RECT about = windowing::ActiveModalWindow()->normalRect;
        const RECT m = kDesk[2].rect;
        EXPECT_EQ(about.left - m.left, (m.right - m.left - (about.right - about.left)) / 2);
        EXPECT_EQ(about.top - m.top, (m.bottom - m.top - (about.bottom - about.top)) / 2);
        EXPECT_EQ(s.Dialog()->screen()->name(), "DESK-3");
    });
    s.Key(Qt::Key_Return);
    s.WaitUntil([&] { return !s.Dialog(); }, "the About box is closed");
    s.EscapeAndRun();
}

TEST(QtDesk, TheWindowFollowsADisplayChangeAndLeavesAnUnpluggedMonitor) {
    QtSession s;
    windowing::SetStartMonitor(s.backend.Monitors()[1]);
    s.WaitUntil([&] { return s.ScreenShows(1198, 1918, kStartScreenGray); }, "start screen");
    s.Key(Qt::Key_Left);
    // The portrait monitor turned to landscape.
    const RECT landscape{1280, -200, 3200, 1000};
    s.Do([&] { SetScreens({kDesk[0], {"DESK-2", landscape}, kDesk[2]}); });
    s.WaitUntil([&] { return s.ScreenShows(1918, 1198, kStartScreenGray); },
                "the start screen at the new size");
    s.Do([&] {
        ExpectCovers(s, landscape);
        ExpectKeyShowsPattern1(s, Qt::Key_Shift, 600, 1920); // redraws position 1
        // Unplugged: the primary monitor takes the window.
        SetScreens({kDesk[0], kDesk[2]});
    });
    s.WaitUntil([&] { return s.ScreenShows(1278, 1022, kStartScreenGray); },
                "the start screen on the primary monitor");
    s.Do([&] {
        ExpectCovers(s, kDesk[0].rect);
        ExpectKeyShowsPattern1(s, Qt::Key_Shift, 512, 1280);
        RestoreDesk();
    });
    s.WaitUntil([&] { return s.backend.Monitors().size() == 3; }, "the desk is back");
    s.EscapeAndRun();
}

} // namespace
