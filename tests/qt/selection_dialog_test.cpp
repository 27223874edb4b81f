#include "qt/qt_session.h"
#include "res/resource_ids.h"
#include "support/pixels.h"

#include <QApplication>
#include <QCheckBox>
#include <QGlyphRun>
#include <QPushButton>
#include <QRawFont>
#include <QTest>
#include <QTextLayout>
#include <QWindow>

#include <gtest/gtest.h>

using qt_testing::QtSession;
using testing_support::RowRuns;

namespace {

constexpr int kBoxes = 43;

QCheckBox* Box(const QtSession& s, int pattern) {
    return qobject_cast<QCheckBox*>(s.Control(IDC_FIRST_PATTERN_BOX + pattern));
}

bool DialogOpen(const QtSession& s) {
    return s.Dialog() && s.Dialog()->isVisible();
}

// Script steps that open the dialog with Enter once the main window is up.
void OpenTheDialog(QtSession& s) {
    s.WaitUntilShown();
    s.Key(Qt::Key_Return);
    s.WaitUntilDialogShown();
}

// Glyph 0 is the font's "missing glyph" box.
bool DrawsEveryGlyph(const QString& text, const QFont& font) {
    QTextLayout layout(text, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    int glyphs = 0;
    for (const QGlyphRun& run : layout.glyphRuns()) {
        for (quint32 index : run.glyphIndexes()) {
            if (index == 0) {
                return false;
            }
            ++glyphs;
        }
    }
    return glyphs == text.size();
}

TEST(QtSelectionDialog, EnterOpensItModalWithTheBoxesTheButtonAndFocusOnTheFirstBox) {
    QtSession s;
    OpenTheDialog(s);
    s.Do([&] {
        QWidget* dialog = s.Dialog();
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("画面显示选项"));
        EXPECT_EQ(QApplication::activeModalWidget(), dialog);
        EXPECT_FALSE(s.MainWidget()->isEnabled());
        const Qt::WindowFlags flags = dialog->windowFlags();
        EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
        EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
        EXPECT_EQ(dialog->minimumSize(), dialog->maximumSize());

        int boxes = 0;
        QStringList buttons;
        for (QAbstractButton* b : dialog->findChildren<QAbstractButton*>()) {
            if (!b->isVisible()) {
                continue;
            }
            if (qobject_cast<QCheckBox*>(b)) {
                ++boxes;
                EXPECT_TRUE(b->isChecked()) << b->text().toStdString();
            } else {
                buttons << b->text();
            }
        }
        EXPECT_EQ(boxes, kBoxes);
        EXPECT_EQ(buttons, QStringList{QStringLiteral("Clear all")});
        EXPECT_EQ(QApplication::focusWidget(), Box(s, 0));

        // The labels are drawn as Chinese characters, not as missing-glyph boxes.
        EXPECT_EQ(Box(s, 0)->text(), QStringLiteral("最左边一条垂直线"));
        EXPECT_TRUE(DrawsEveryGlyph(Box(s, 0)->text(), Box(s, 0)->font()));
        EXPECT_TRUE(DrawsEveryGlyph(dialog->windowTitle(), Box(s, 0)->font()));
    });
    s.Key(Qt::Key_Escape); // the cancel command, which the dialog ignores
    s.Do([&] {
        EXPECT_TRUE(DialogOpen(s));
        EXPECT_EQ(QApplication::activeModalWidget(), s.Dialog());
    });
    s.Do([&] { s.Dialog()->windowHandle()->close(); });
    s.WaitUntilDialogClosed();
    s.EscapeAndRun();
}

TEST(QtSelectionDialog, SpaceAndClicksToggleOnceAndEnterStoresTheTicks) {
    QtSession s;
    const int middle = QGuiApplication::primaryScreen()->geometry().height() *
                       QGuiApplication::primaryScreen()->devicePixelRatio() / 2;
    s.WaitUntilShown();
    s.Key(Qt::Key_Left);
    s.Key(Qt::Key_Return);
    s.WaitUntilDialogShown();
    s.Key(Qt::Key_Space);
    s.Do([&] {
        EXPECT_FALSE(Box(s, 0)->isChecked());
        EXPECT_EQ(s.Dialog() ? windowing::ActiveModalWindow()->Child(IDC_FIRST_PATTERN_BOX)->check
                             : -1,
                  static_cast<int>(BST_UNCHECKED));
        QTest::mouseClick(Box(s, 5), Qt::LeftButton);
        EXPECT_FALSE(Box(s, 5)->isChecked());
        EXPECT_EQ(QApplication::focusWidget(), Box(s, 5));
        // Not yet in the enabled set: only closing the dialog stores the ticks.
        EXPECT_TRUE(QtSession::Main().EnabledSet().all());
    });
    s.Key(Qt::Key_Return);
    s.WaitUntilDialogClosed();
    s.Do([&] {
        CLumivexDlg& main = QtSession::Main();
        EXPECT_FALSE(main.EnabledSet().test(0));
        EXPECT_FALSE(main.EnabledSet().test(5));
        EXPECT_EQ(main.EnabledSet().count(), 41u);
        EXPECT_EQ(main.Position(), 0);
        EXPECT_TRUE(s.MainWidget()->isEnabled());
    });
    s.WaitUntil([&] { return s.ScreenShows(1, 1, 0x808080u); }, "the start screen is shown");
    // The next key draws position 0 of the new playlist: pattern 1, the right edge line.
    s.Key(Qt::Key_Up);
    s.Do([&] {
        const gdi::Surface shown = s.Screen();
        const int w = shown.Width();
        EXPECT_EQ(RowRuns(shown, middle), "000000*" + std::to_string(w - 1) + " ffffff*1");
    });
    s.EscapeAndRun();
    const std::vector<std::uint8_t> saved = s.ReadSettings();
    ASSERT_EQ(saved.size(), 45u);
    EXPECT_EQ(saved[0], 0);
    EXPECT_EQ(std::string(saved.begin() + 2, saved.end()),
              std::string(37, '1') + "0" + "1111" + "0");
}

// Disabling the main window for the modal dialog does not repaint it: it keeps the pattern it
// showed when Enter was pressed, also once everything the opening set off has been handled.
// The start screen comes with the invalidation after the dialog closes.
TEST(QtSelectionDialog, ThePatternStaysBehindTheOpenDialogAndTheStartScreenFollowsIt) {
    QtSession s;
    s.WaitUntil([&] { return s.ScreenShows(1, 1, 0x808080u); }, "the start screen is shown");
    s.Key(Qt::Key_9);
    gdi::Surface pattern;
    s.Do([&] {
        pattern = s.Screen();
        EXPECT_NE(pattern.At(1, 1), 0x808080u);
    });
    s.Key(Qt::Key_Return);
    s.WaitUntil([&] { return DialogOpen(s); }, "the dialog is open");
    s.Do([&] {
        EXPECT_FALSE(s.MainWidget()->isEnabled());
        QApplication::processEvents();
        QApplication::sendPostedEvents();
        QApplication::processEvents();
        const gdi::Surface shown = s.Screen();
        EXPECT_EQ(shown.At(1, 1), pattern.At(1, 1));
        EXPECT_TRUE(shown.Pixels() == pattern.Pixels()) << "the main window was repainted";
    });
    s.Key(Qt::Key_Return);
    s.WaitUntil([&] { return !s.Dialog(); }, "the dialog is closed");
    s.WaitUntil([&] { return s.ScreenShows(1, 1, 0x808080u); }, "the start screen is shown");
    s.EscapeAndRun();
}

TEST(QtSelectionDialog, TheCloseBoxAndAltF4StoreTheTicksToo) {
    QtSession s;
    OpenTheDialog(s);
    s.Do([&] {
        QTest::mouseClick(s.Control(IDC_CLEAR_ALL), Qt::LeftButton);
        for (int i = 0; i < kBoxes; ++i) {
            EXPECT_FALSE(Box(s, i)->isChecked()) << i;
        }
        s.Dialog()->windowHandle()->close(); // the title bar's close box
    });
    s.WaitUntilDialogClosed("the dialog is closed by its close box");
    s.Do([&] { EXPECT_TRUE(QtSession::Main().EnabledSet().none()); });
    s.Key(Qt::Key_Return);
    s.WaitUntilDialogShown("the dialog is open again");
    s.Do([&] { EXPECT_FALSE(Box(s, 0)->isChecked()); });
    s.Key(Qt::Key_Space);
    s.Key(Qt::Key_F4, Qt::AltModifier);
    s.WaitUntilDialogClosed("the dialog is closed by Alt+F4");
    s.Do([&] {
        EXPECT_EQ(QtSession::Main().EnabledSet().count(), 1u);
        EXPECT_TRUE(QtSession::Main().EnabledSet().test(0));
    });
    s.EscapeAndRun();
}

TEST(QtSelectionDialog, ShiftTabReachesClearAllAndEnterThenPressesIt) {
    QtSession s;
    OpenTheDialog(s);
    // Backwards from the first box: 42, 41, 40, 39, then the button.
    for (int i = 0; i < 5; ++i) {
        s.Key(Qt::Key_Backtab, Qt::ShiftModifier);
    }
    s.Do([&] { EXPECT_EQ(QApplication::focusWidget(), s.Control(IDC_CLEAR_ALL)); });
    s.Key(Qt::Key_Return);
    s.Do([&] {
        ASSERT_TRUE(DialogOpen(s));
        for (int i = 0; i < kBoxes; ++i) {
            EXPECT_FALSE(Box(s, i)->isChecked()) << i;
        }
    });
    s.Key(Qt::Key_Tab);
    s.Key(Qt::Key_Return);
    s.WaitUntilDialogClosed();
    s.Do([&] { EXPECT_TRUE(QtSession::Main().EnabledSet().none()); });
    s.EscapeAndRun();
}

} // namespace
