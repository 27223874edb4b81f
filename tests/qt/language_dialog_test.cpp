// The dialogs in every language as the Qt backend draws them: every text in its place, whole,
// and in glyphs the face has.
#include "app/language_option.h"
#include "platform/qt/fonts.h"
#include "qt/qt_session.h"
#include "res/language_texts.h"
#include "res/resource_ids.h"
#include "support/language.h"

#include <QApplication>
#include <QCheckBox>
#include <QGlyphRun>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRawFont>
#include <QStyleOptionButton>
#include <QTextLayout>
#include <QWindow>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

using qt_testing::QtSession;
using testing_support::LangOnly;
using testing_support::ScopedLanguage;

namespace {

struct Language {
    const char* locale;
    const res::LanguageTexts* texts;
    const char* restoreItem; // the window system's first item of the system menu
};

const Language kLanguages[] = {{"zh_CN.UTF-8", &res::kChineseTexts, "还原(&R)"},
                               {"en_US.UTF-8", &res::kEnglishTexts, "&Restore"},
                               {"de_DE.UTF-8", &res::kGermanTexts, "&Wiederherstellen"},
                               {"fr_FR.UTF-8", &res::kFrenchTexts, "R&estaurer"}};

QString Q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The faces the text is drawn in, as the widget's text layout picks them; empty when any
// character is drawn as a missing-glyph box (glyph 0) or by no face that has it.
QStringList FacesDrawing(const QString& text, const QFont& font) {
    QTextLayout layout(text, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    QStringList faces;
    QList<QRawFont> fonts;
    for (const QGlyphRun& run : layout.glyphRuns()) {
        for (quint32 index : run.glyphIndexes()) {
            if (index == 0) {
                return {};
            }
        }
        faces << run.rawFont().familyName();
        fonts << run.rawFont();
    }
    for (QChar c : text) {
        if (std::none_of(fonts.begin(), fonts.end(),
                         [c](const QRawFont& f) { return f.supportsCharacter(c); })) {
            return {};
        }
    }
    return faces;
}

// A menu item's text as drawn: without its mnemonic marks and its shortcut column.
QString MenuItemText(const QAction* item) {
    return item->text().section(u'\t', 0, 0).remove(u'&');
}

// The faces a Latin text must be drawn in: the design's own for Chinese, else the UI face.
void ExpectDrawnWhole(const QString& text, const QFont& font, bool chinese) {
    const QStringList faces = FacesDrawing(text, font);
    EXPECT_FALSE(faces.isEmpty()) << text.toStdString() << ": a glyph is missing";
    bool latin = true;
    for (QChar c : text) {
        latin = latin && c.unicode() < 0x2E80;
    }
    if (latin && !chinese) {
        for (const QString& face : faces) {
            EXPECT_EQ(face, qtbackend::UiFamily()) << text.toStdString();
        }
    }
}

// The widths of a control's text and of the room its control gives it, in logical pixels.
struct Room {
    int text = 0;
    int room = 0;
};

Room CheckBoxRoom(QCheckBox* box) {
    QStyleOptionButton option;
    option.initFrom(box);
    option.text = box->text();
    const QRect contents = box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box);
    return {box->fontMetrics().horizontalAdvance(box->text()), contents.width()};
}

Room PushButtonRoom(QPushButton* button) {
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    const QRect contents =
        button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    return {button->fontMetrics().horizontalAdvance(button->text()), contents.width()};
}

Room LabelRoom(QLabel* label) {
    return {label->fontMetrics().horizontalAdvance(label->text()), label->contentsRect().width()};
}

// Whether anything is drawn in the last pixel column of a widget's area of the dialog's
// picture: a text cut off at the widget's edge leaves its ink there. The dialog's own right
// margin, where nothing is drawn, gives the background of each row.
bool InkAtTheRightEdge(const QImage& dialog, const QWidget* widget) {
    const qreal ratio = dialog.devicePixelRatio();
    const QRect area = widget->geometry();
    const int x = qFloor((area.right() + 1) * ratio) - 1;
    for (int y = qCeil(area.top() * ratio); y < qFloor((area.bottom() + 1) * ratio); ++y) {
        if (dialog.pixel(x, y) != dialog.pixel(dialog.width() - 2, y)) {
            return true;
        }
    }
    return false;
}

void SavePicture(const QImage& picture, const std::string& name) {
    if (const char* dir = std::getenv("LUMIVEX_DIALOG_PICTURES")) {
        picture.save(QString::fromUtf8(dir) + "/" + QString::fromStdString(name) + ".png");
    }
}

// The dialog's picture, after checking its caption; saved as NAME.png for a look by eye.
QImage CaptionedPicture(QWidget* dialog, std::string_view caption, const std::string& name) {
    EXPECT_EQ(dialog->windowTitle(), Q(caption));
    const QImage picture = dialog->grab().toImage();
    SavePicture(picture, name);
    return picture;
}

// Runs body in a session of the program started in each language in turn, once its main window
// is shown.
template <typename Body> void InEveryLanguage(Body body) {
    for (const Language& l : kLanguages) {
        SCOPED_TRACE(l.locale);
        auto env = LangOnly(l.locale);
        ScopedLanguage language(LanguageFromEnvironment());
        QtSession s;
        s.WaitUntil([&] { return s.MainWidget() && s.MainWidget()->isVisible(); }, "shown");
        body(l, s);
    }
}

TEST(QtLanguages, TheSelectionDialogShowsEveryLabelWholeInGlyphsItsFaceHas) {
    InEveryLanguage([](const Language& l, QtSession& s) {
        const bool chinese = l.texts == &res::kChineseTexts;
        s.Key(Qt::Key_Return);
        s.WaitUntil([&] { return s.Dialog() && s.Dialog()->isVisible(); }, "the dialog is open");
        s.Do([&] {
            const QImage picture = CaptionedPicture(s.Dialog(), l.texts->selectionCaption,
                                                    std::string("selection-") + l.locale);
            for (int i = 0; i < res::kPatternLabels; ++i) {
                auto* box = qobject_cast<QCheckBox*>(s.Control(IDC_FIRST_PATTERN_BOX + i));
                ASSERT_NE(box, nullptr);
                const QString label = Q(l.texts->patternLabels[static_cast<std::size_t>(i)]);
                EXPECT_EQ(box->text(), label);
                EXPECT_TRUE(box->isVisible());
                const Room room = CheckBoxRoom(box);
                EXPECT_LE(room.text, room.room) << i << " " << label.toStdString();
                EXPECT_FALSE(InkAtTheRightEdge(picture, box)) << i << " " << label.toStdString();
                ExpectDrawnWhole(label, box->font(), chinese);
            }
            auto* clearAll = qobject_cast<QPushButton*>(s.Control(IDC_CLEAR_ALL));
            EXPECT_EQ(clearAll->text(), Q(l.texts->clearAll));
            const Room room = PushButtonRoom(clearAll);
            EXPECT_LE(room.text, room.room) << clearAll->text().toStdString();
            ExpectDrawnWhole(clearAll->text(), clearAll->font(), chinese);
            s.Dialog()->windowHandle()->close();
        });
        s.WaitUntil([&] { return !s.Dialog(); }, "the dialog is closed");
        s.EscapeAndRun();
    });
}

TEST(QtLanguages, TheSystemMenuItemAndTheAboutBoxSpeakTheLanguage) {
    InEveryLanguage([](const Language& l, QtSession& s) {
        const bool chinese = l.texts == &res::kChineseTexts;
        s.OpenSystemMenu();
        s.Do([&] {
            QMenu* menu = QtSession::OpenMenu();
            EXPECT_EQ(menu->actions().front()->text(), QString::fromUtf8(l.restoreItem));
            // ..., a separator, the About item, a separator, one item per monitor.
            const QList<QAction*> actions = menu->actions();
            const qsizetype monitors = QGuiApplication::screens().size();
            ASSERT_GE(actions.size(), monitors + 2);
            QAction* about = actions[actions.size() - monitors - 2];
            EXPECT_EQ(about->text(), Q(l.texts->aboutMenuItem));
            for (QAction* item : menu->actions()) {
                if (!item->isSeparator()) {
                    EXPECT_FALSE(FacesDrawing(MenuItemText(item), menu->font()).isEmpty())
                        << item->text().toStdString();
                }
            }
            about->trigger();
            menu->close();
        });
        s.WaitUntil([&] { return s.Dialog() && s.Dialog()->isVisible(); }, "the About box");
        s.Do([&] {
            QWidget* dialog = s.Dialog();
            const QImage picture =
                CaptionedPicture(dialog, l.texts->aboutCaption, std::string("about-") + l.locale);
            QStringList texts;
            for (QLabel* label : dialog->findChildren<QLabel*>()) {
                if (label->text().isEmpty()) {
                    continue; // the icon
                }
                texts << label->text();
                const Room room = LabelRoom(label);
                EXPECT_LE(room.text, room.room) << label->text().toStdString();
                ExpectDrawnWhole(label->text(), label->font(), chinese);
            }
            EXPECT_EQ(texts, QStringList({Q(l.texts->aboutVersion), Q(l.texts->aboutDescription)}));
            auto* ok = qobject_cast<QPushButton*>(s.Control(IDOK));
            EXPECT_EQ(ok->text(), Q(l.texts->aboutOk));
            const Room room = PushButtonRoom(ok);
            EXPECT_LE(room.text, room.room);
            ExpectDrawnWhole(ok->text(), ok->font(), chinese);
        });
        s.Key(Qt::Key_Return);
        s.WaitUntil([&] { return !s.Dialog(); }, "the About box is closed");
        s.EscapeAndRun();
    });
}

} // namespace
