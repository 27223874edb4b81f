#include "platform/qt/controls.h"

#include "platform/qt/device_pixels.h"
#include "platform/qt/icons.h"
#include "platform/qt/top_level_widget.h"
#include "platform/windowing/resources.h"
#include "platform/windowing/window_manager.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

namespace qtbackend {

namespace {

constexpr DWORD kStaticTypeMask = 0x1F;

// The window layer toggles the box when it is clicked; Qt must not toggle it a second time.
class MirrorCheckBox : public QCheckBox {
  public:
    using QCheckBox::QCheckBox;

  protected:
    void nextCheckState() override {}
};

bool IsCheckBox(const windowing::Window* c) {
    const DWORD type = c->style & BS_TYPEMASK;
    return type == 2 /* BS_CHECKBOX */ || type == BS_AUTOCHECKBOX;
}

// Statics without SS_NOPREFIX show "&x" as an underlined x and "&&" as "&".
QString StaticText(const windowing::Window* c) {
    const QString text = QString::fromUtf8(c->text);
    if (c->style & SS_NOPREFIX) {
        return text;
    }
    QString shown;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size()) {
            ++i;
        }
        shown += text[i];
    }
    return shown;
}

void ReportClick(QAbstractButton* button, windowing::Window* control) {
    QObject::connect(button, &QAbstractButton::clicked, button, [button, control] {
        auto* top = static_cast<TopLevelWidget*>(button->window());
        if (top->Window()) {
            windowing::ControlClicked(control);
        }
    });
}

} // namespace

QWidget* CreateControl(windowing::Window* control, QWidget* parent, const QFont& font) {
    QWidget* widget = nullptr;
    if (control->controlClass == windowing::ControlClass::Button) {
        QAbstractButton* button = nullptr;
        if (IsCheckBox(control)) {
            button = new MirrorCheckBox(parent);
        } else {
            auto* push = new QPushButton(parent);
            // Enter is the dialog manager's business, not the button's.
            push->setAutoDefault(false);
            push->setDefault((control->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
            button = push;
        }
        ReportClick(button, control);
        widget = button;
    } else {
        auto* label = new QLabel(parent);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setWordWrap((control->style & kStaticTypeMask) != SS_ICON);
        widget = label;
    }
    widget->setFont(font);
    return widget;
}

void UpdateControl(const windowing::Window* control, QWidget* widget) {
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        const QString text = QString::fromUtf8(control->text);
        if (button->text() != text) {
            button->setText(text);
        }
        if (button->isCheckable() != IsCheckBox(control)) {
            button->setCheckable(IsCheckBox(control));
        }
        if (button->isCheckable()) {
            button->setChecked(control->check == BST_CHECKED);
        }
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        const qreal ratio = widget->devicePixelRatioF();
        if ((control->style & kStaticTypeMask) == SS_ICON) {
            if (HICON icon = LoadIconW(AfxGetInstanceHandle(), control->iconId)) {
                QPixmap pixmap = QPixmap::fromImage(IconImage(*icon));
                pixmap.setDevicePixelRatio(ratio);
                label->setPixmap(pixmap);
            }
        } else if (label->text() != StaticText(control)) {
            label->setText(StaticText(control));
        }
    }
    widget->setGeometry(LogicalGeometry(control->normalRect, widget->devicePixelRatioF()));
    widget->setEnabled(control->enabled);
    widget->setVisible(control->Visible());
}

} // namespace qtbackend
