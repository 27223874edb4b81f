#include "platform/windowing/resources.h"
#include "qt/qt_session.h"
#include "support/pixels.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QScreen>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

using qt_testing::QtSession;
using testing_support::RowRuns;

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kStartScreenGray = 0x808080;

// The screen in device pixels.
QSize DeviceScreen() {
    QScreen* s = QGuiApplication::primaryScreen();
    return s->geometry().size() * s->devicePixelRatio();
}

// Pattern 0 is the white column 0 on black, pattern 1 the white column W - 1.
std::string ExpectedEdgeRow(int width, int whiteColumn) {
    std::string runs;
    if (whiteColumn > 0) {
        runs += "000000*" + std::to_string(whiteColumn) + " ";
    }
    runs += "ffffff*1";
    if (whiteColumn < width - 1) {
        runs += " 000000*" + std::to_string(width - 1 - whiteColumn);
    }
    return runs;
}

TEST(QtMainWindow, CoversTheScreenInDevicePixelsAndShowsTheStartScreen) {
    QtSession s;
    const QSize screen = DeviceScreen();
    s.WaitUntilShown();
    s.WaitUntil([&] { return s.ScreenShows(1, 1, kStartScreenGray); }, "start screen shown");
    s.Do([&] {
        QWidget* w = s.MainWidget();
        EXPECT_TRUE(w->windowFlags() & Qt::FramelessWindowHint);
        EXPECT_EQ(w->geometry(), QGuiApplication::primaryScreen()->geometry());
        CRect client;
        QtSession::Main().GetClientRect(&client);
        EXPECT_EQ(client, CRect(0, 0, screen.width(), screen.height()));
        const gdi::Surface shown = s.Screen();
        EXPECT_EQ(shown.Width(), screen.width());
        EXPECT_EQ(shown.Height(), screen.height());
        EXPECT_EQ(shown.At(screen.width() - 2, screen.height() - 2), kStartScreenGray);
    });
    s.EscapeAndRun();
    EXPECT_EQ(AfxGetMainWnd(), nullptr);
    EXPECT_EQ(s.ReadSettings().size(), 45u);
}

TEST(QtMainWindow, AKeyPressPutsItsFrameOnTheScreenBeforeItReturns) {
    QtSession s;
    const QSize screen = DeviceScreen();
    const int w = screen.width();
    const int middle = screen.height() / 2;
    s.WaitUntil([&] { return s.ScreenShows(1, 1, kStartScreenGray); }, "start screen shown");
    s.Do([&] {
        const int before = s.backend.Presents();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
        EXPECT_EQ(s.backend.Presents(), before + 1);
        EXPECT_EQ(QtSession::Main().Position(), 1);
        // Pattern 1, one device pixel wide even when Qt scales.
        EXPECT_EQ(RowRuns(s.Screen(), middle), ExpectedEdgeRow(w, w - 1));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
        EXPECT_EQ(RowRuns(s.Screen(), middle), ExpectedEdgeRow(w, 0));
    });
    s.EscapeAndRun();
}

TEST(QtMainWindow, KeysArriveWithThePlatformsCodesAndSystemKeysDoNotRedraw) {
    QtSession s;
    s.WaitUntilShown();
    s.Do([&] {
        QWidget* w = QApplication::focusWidget();
        ASSERT_EQ(w, s.MainWidget());
        CLumivexDlg& main = QtSession::Main();
        QTest::keyClick(w, Qt::Key_7, Qt::KeypadModifier);
        EXPECT_EQ(main.Position(), 7);
        QTest::keyClick(w, Qt::Key_3);
        EXPECT_EQ(main.Position(), 3);
        QTest::keyClick(w, Qt::Key_Minus, Qt::KeypadModifier); // next, without bound
        EXPECT_EQ(main.Position(), 4);
        QTest::keyClick(w, Qt::Key_Equal); // previous, with wrap
        EXPECT_EQ(main.Position(), 3);
        QTest::keyClick(w, Qt::Key_PageUp);
        EXPECT_EQ(main.GrayLevel(), 16);
        EXPECT_EQ(main.StepCount(), 64);
        QTest::keyClick(w, Qt::Key_H);
        EXPECT_FALSE(main.LabelsOn());

        const int before = s.backend.Presents();
        QTest::keyClick(w, Qt::Key_F10);
        QTest::keyClick(w, Qt::Key_Alt);
        QTest::keyClick(w, Qt::Key_X, Qt::AltModifier);
        EXPECT_EQ(s.backend.Presents(), before);
        QTest::keyClick(w, Qt::Key_Shift);
        QTest::keyClick(w, Qt::Key_Control);
        EXPECT_EQ(s.backend.Presents(), before + 2);
    });
    s.EscapeAndRun();
}

TEST(QtMainWindow, AHeldKeyStepsOnEveryAutoRepeat) {
    QtSession s;
    s.WaitUntilShown();
    s.Do([&] {
        const int before = s.backend.Presents();
        QWidget* w = QApplication::focusWidget();
        for (int i = 0; i < 3; ++i) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier, QString(), i > 0);
            QApplication::sendEvent(w, &press);
        }
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Left, Qt::NoModifier);
        QApplication::sendEvent(w, &release);
        EXPECT_EQ(QtSession::Main().Position(), 3);
        EXPECT_EQ(s.backend.Presents(), before + 3);
    });
    s.EscapeAndRun();
}

TEST(QtMainWindow, RightClickAdvancesDoubleClickTogglesTheTemplateSizeAndDragMoves) {
    QtSession s;
    const QSize screen = DeviceScreen();
    s.WaitUntilShown();
    s.Key(Qt::Key_Left); // a pattern on the screen, so the start screen's return is visible
    s.Do([&] { QTest::mouseClick(s.MainWidget(), Qt::RightButton, {}, QPoint(20, 20)); });
    s.WaitUntil([&] { return s.ScreenShows(1, 1, kStartScreenGray); }, "start screen shown");
    s.Do([&] {
        EXPECT_EQ(QtSession::Main().Position(), 2);
        QTest::mouseDClick(s.MainWidget(), Qt::LeftButton, {}, QPoint(20, 20));
    });
    s.WaitUntil([&] { return !s.MainWidget()->isFullScreen(); }, "restored");
    CRect restored;
    s.Do([&] {
        CLumivexDlg& main = QtSession::Main();
        EXPECT_FALSE(main.IsZoomed());
        CRect client;
        main.GetClientRect(&client);
        const SIZE units = windowing::DialogBaseUnits(*windowing::FindDialogTemplate(102));
        const RECT normal = windowing::MapDialogRect(units, 0, 0, 320, 200);
        EXPECT_EQ(client, CRect(normal));
        EXPECT_LT(client.Width(), screen.width());
        main.GetWindowRect(&restored);
        // A left drag moves the restored window (by hand where no window manager does it).
        QTest::mousePress(s.MainWidget(), Qt::LeftButton, {}, QPoint(10, 10));
    });
    s.Do([&] { QTest::mouseMove(s.MainWidget(), QPoint(60, 40)); });
    s.Do([&] {
        QTest::mouseRelease(s.MainWidget(), Qt::LeftButton, {}, QPoint(10, 10));
        const qreal ratio = s.MainWidget()->devicePixelRatioF();
        CRect moved;
        QtSession::Main().GetWindowRect(&moved);
        EXPECT_EQ(moved.left - restored.left, qRound(50 * ratio));
        EXPECT_EQ(moved.top - restored.top, qRound(30 * ratio));
        EXPECT_EQ(moved.Width(), restored.Width());
        QTest::mouseDClick(s.MainWidget(), Qt::LeftButton, {}, QPoint(2, 2));
    });
    s.WaitUntil([&] { return s.MainWidget()->isFullScreen(); }, "maximised again");
    s.Do([&] {
        CRect client;
        QtSession::Main().GetClientRect(&client);
        EXPECT_EQ(client, CRect(0, 0, screen.width(), screen.height()));
    });
    s.EscapeAndRun();
}

TEST(QtMainWindow, AltSpaceOpensTheSystemMenuWhoseAboutItemOpensTheAboutBox) {
    QtSession s;
    s.WaitUntilShown();
    s.OpenSystemMenu();
    s.Do([] {
        QMenu* menu = QtSession::OpenMenu();
        const QList<QAction*> actions = menu->actions();
        // ..., a separator, the About item, a separator, one item per monitor.
        const qsizetype monitors = QGuiApplication::screens().size();
        ASSERT_GE(actions.size(), 4 + monitors);
        const qsizetype at = actions.size() - monitors - 2;
        EXPECT_TRUE(actions[at - 1]->isSeparator());
        EXPECT_TRUE(actions[at + 1]->isSeparator());
        QAction* about = actions[at];
        EXPECT_EQ(about->text(), QStringLiteral("关于 Lumivex(&A)..."));
        about->trigger();
        menu->close();
    });
    s.WaitUntilDialogShown("the About box is open");
    s.Do([&] {
        EXPECT_EQ(s.Dialog()->windowTitle(), QStringLiteral("关于 Lumivex"));
        EXPECT_EQ(QApplication::activeModalWidget(), s.Dialog());
        EXPECT_FALSE(s.MainWidget()->isEnabled());
    });
    s.Key(Qt::Key_Return); // the OK button has the focus
    s.WaitUntilDialogClosed("the About box is closed");
    s.Do([&] { EXPECT_TRUE(s.MainWidget()->isEnabled()); });
    s.EscapeAndRun();
}

} // namespace
