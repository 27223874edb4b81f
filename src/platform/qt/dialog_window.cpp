#include "platform/qt/dialog_window.h"

#include "platform/qt/device_pixels.h"
#include "platform/qt/fonts.h"
#include "platform/qt/screens.h"

#include <QApplication>
#include <QWindow>

namespace qtbackend {

DialogWindow::DialogWindow(Backend& backend, windowing::Window* w)
    : TopLevelWidget(backend, w,
                     Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                         Qt::MSWindowsFixedSizeDialogHint) {
    setWindowTitle(QString::fromUtf8(w->text));
    if (w->dialogTemplate) {
        BuildControls(DialogFont(*w->dialogTemplate, devicePixelRatioF()));
    }
}

void DialogWindow::Withdraw() {
    // Also when the dialog goes before its activation has arrived: then nothing is active.
    const bool wasActive = isActiveWindow() || !QApplication::activeWindow();
    hide();
    QWidget* owner =
        window_ && window_->owner ? static_cast<QWidget*>(window_->owner->peer) : nullptr;
    if (wasActive && owner && owner->isVisible()) {
        owner->raise();
        owner->activateWindow();
    }
}

void DialogWindow::ApplyShowState() {
    if (window_->show == windowing::ShowState::Hidden) {
        Withdraw();
        return;
    }
    if (window_->show == windowing::ShowState::Minimized) {
        showMinimized();
        return;
    }
    if (!isVisible()) {
        // Modality and the owner are fixed before the window is mapped.
        setWindowModality(window_->modal ? Qt::ApplicationModal : Qt::NonModal);
        if (window_->owner) {
            if (auto* owner = static_cast<QWidget*>(window_->owner->peer)) {
                winId();
                if (windowHandle() && owner->windowHandle()) {
                    windowHandle()->setTransientParent(owner->windowHandle());
                }
            }
        }
    }
    const QRect geometry = LogicalPlacement(window_->normalRect);
    setFixedSize(geometry.size());
    setGeometry(geometry);
    show();
    raise();
    activateWindow();
}

} // namespace qtbackend
