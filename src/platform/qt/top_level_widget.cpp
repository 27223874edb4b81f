#include "platform/qt/top_level_widget.h"

#include "platform/qt/controls.h"
#include "platform/qt/device_pixels.h"
#include "platform/qt/icons.h"
#include "platform/qt/qt_backend.h"
#include "platform/qt/screens.h"
#include "platform/windowing/window_manager.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMoveEvent>

namespace qtbackend {

TopLevelWidget::TopLevelWidget(Backend& backend, windowing::Window* w, Qt::WindowFlags flags)
    : QWidget(nullptr, flags), backend_(backend), window_(w) {
    // The program ends when its modal run ends, not when Qt sees its last window close.
    setAttribute(Qt::WA_QuitOnClose, false);
    installEventFilter(&backend);
    // On the monitor it is meant for from the start, so that it is built for that monitor's
    // scale.
    if (QScreen* screen = ScreenAt(w->ScreenRect())) {
        setScreen(screen);
    }
}

void TopLevelWidget::Detach() {
    Withdraw();
    for (windowing::Window* c : controls_) {
        c->peer = nullptr;
    }
    controls_.clear();
    window_ = nullptr;
}

void TopLevelWidget::Withdraw() {
    hide();
}

void TopLevelWidget::BuildControls(const QFont& font) {
    for (auto& child : window_->children) {
        QWidget* widget = CreateControl(child.get(), this, font);
        widget->installEventFilter(&backend_);
        child->peer = widget;
        controls_.push_back(child.get());
        UpdateControl(child.get(), widget);
    }
}

void TopLevelWidget::Sync() {
    if (!window_) {
        return;
    }
    const QString title = QString::fromUtf8(window_->text);
    if (windowTitle() != title) {
        setWindowTitle(title);
    }
    if (window_->iconBig != iconBig_ || window_->iconSmall != iconSmall_) {
        iconBig_ = window_->iconBig;
        iconSmall_ = window_->iconSmall;
        setWindowIcon(WindowIcon(iconBig_, iconSmall_));
    }
    if (isEnabled() != window_->enabled) {
        setEnabled(window_->enabled);
        if (window_->enabled && isActiveWindow() && !QApplication::focusWidget()) {
            TakeFocus();
        }
    }
    const RECT place = window_->ScreenRect();
    const bool moved = !(place == placed_) && window_->show != windowing::ShowState::Hidden &&
                       window_->show != windowing::ShowState::Minimized;
    if (shown_ != window_->show || moved) {
        if (window_->show == windowing::ShowState::Minimized && shown_ &&
            *shown_ != windowing::ShowState::Minimized) {
            beforeMinimize_ = *shown_;
        }
        shown_ = window_->show;
        placed_ = place;
        applying_ = true;
        ApplyShowState();
        applying_ = false;
    }
}

void TopLevelWidget::SyncControl(windowing::Window* control) {
    if (auto* widget = static_cast<QWidget*>(control->peer)) {
        UpdateControl(control, widget);
    }
}

void TopLevelWidget::SyncFocus() {
    if (!window_ || window_->focus < 0 ||
        window_->focus >= static_cast<int>(window_->children.size())) {
        return;
    }
    auto* widget =
        static_cast<QWidget*>(window_->children[static_cast<std::size_t>(window_->focus)]->peer);
    if (widget && focusWidget() != widget) {
        widget->setFocus(Qt::TabFocusReason);
    }
}

void TopLevelWidget::ControlFocused(QWidget* widget) {
    if (!window_) {
        return;
    }
    // The operator steers with the keyboard, so the focus frame is always drawn; Qt would hide
    // it after an activation or a click.
    setAttribute(Qt::WA_KeyboardFocusChange);
    widget->update();
    for (windowing::Window* c : controls_) {
        if (c->peer == widget) {
            windowing::FocusControl(c);
            return;
        }
    }
}

void TopLevelWidget::RequestPaint() {}

void TopLevelWidget::Present(const RECT&) {}

void TopLevelWidget::BeginMoveDrag() {}

void TopLevelWidget::closeEvent(QCloseEvent* e) {
    // Whether the window closes is the program's decision: the close box and the window
    // manager's close both become the system close command.
    e->ignore();
    if (window_ && window_->enabled) {
        windowing::SendMessageTo(window_, WM_SYSCOMMAND, SC_CLOSE, 0);
    }
}

void TopLevelWidget::moveEvent(QMoveEvent* e) {
    QWidget::moveEvent(e);
    if (!window_ || applying_ || !isVisible() || isFullScreen()) {
        return;
    }
    const RECT device = DeviceClientRect(this);
    if (IsRectEmpty(&device)) {
        return;
    }
    windowing::ClientMoved(window_, device.left, device.top);
    placed_ = window_->ScreenRect();
}

void TopLevelWidget::TakeFocus() {
    SyncFocus();
}

void TopLevelWidget::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && window_ && window_->enabled && isActiveWindow() &&
        !QApplication::focusWidget()) {
        TakeFocus();
    }
    if (e->type() != QEvent::WindowStateChange || !window_ || applying_) {
        return;
    }
    // The window manager minimised or restored the window: the program hears of it as the
    // system command, as it would from the title bar.
    const bool minimized = windowState() & Qt::WindowMinimized;
    if (minimized && window_->show != windowing::ShowState::Minimized) {
        windowing::SendMessageTo(window_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    } else if (!minimized && window_->show == windowing::ShowState::Minimized) {
        const UINT command =
            beforeMinimize_ == windowing::ShowState::Maximized ? SC_MAXIMIZE : SC_RESTORE;
        windowing::SendMessageTo(window_, WM_SYSCOMMAND, command, 0);
    }
}

} // namespace qtbackend
