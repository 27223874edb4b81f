#include "platform/qt/surface_window.h"

#include "platform/qt/device_pixels.h"
#include "platform/qt/qt_backend.h"
#include "platform/qt/screens.h"
#include "platform/windowing/window_manager.h"

#include <QGuiApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

namespace qtbackend {

SurfaceWindow::SurfaceWindow(Backend& backend, windowing::Window* w)
    : TopLevelWidget(backend, w, Qt::Window | Qt::FramelessWindowHint) {
    // Every pixel comes from the surface; Qt must not clear anything first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setAutoFillBackground(false);
    setFocusPolicy(Qt::StrongFocus);
}

void SurfaceWindow::ApplyShowState() {
    switch (window_->show) {
    case windowing::ShowState::Hidden:
        hide();
        break;
    case windowing::ShowState::Maximized: {
        // Without a window manager nobody acts on the full-screen request, so the window also
        // asks for the screen's geometry itself: the monitor the window layer maximised it
        // over, whose size it gives the client area.
        QScreen* target = ScreenOf(window_->monitor);
        if (!target) {
            target = QGuiApplication::primaryScreen();
        }
        if (target != screen() && isFullScreen()) {
            // A window manager keeps a full-screen window where it is: let go of it first.
            setWindowState(windowState() & ~Qt::WindowFullScreen);
        }
        setScreen(target);
        setGeometry(target->geometry());
        showFullScreen();
        raise();
        activateWindow();
        setFocus(Qt::ActiveWindowFocusReason);
        break;
    }
    case windowing::ShowState::Normal:
        if (windowState() & (Qt::WindowFullScreen | Qt::WindowMaximized | Qt::WindowMinimized)) {
            showNormal();
        }
        setGeometry(LogicalPlacement(window_->normalRect));
        show();
        raise();
        activateWindow();
        setFocus(Qt::ActiveWindowFocusReason);
        break;
    case windowing::ShowState::Minimized:
        showMinimized();
        break;
    }
}

void SurfaceWindow::TakeFocus() {
    setFocus(Qt::ActiveWindowFocusReason);
}

void SurfaceWindow::RequestPaint() {
    if (!window_ || IsRectEmpty(&window_->invalid)) {
        return;
    }
    QRegion area = LogicalCover(window_->invalid, devicePixelRatioF());
    if (painting_) {
        // Invalidated from inside the paint in progress: that paint covers its own region.
        area -= *painting_;
    }
    if (!area.isEmpty()) {
        update(area);
    }
}

void SurfaceWindow::Present(const RECT& rect) {
    const QRect area = LogicalCover(rect, devicePixelRatioF()).intersected(this->rect());
    if (area.isEmpty() || !isVisible()) {
        return;
    }
    if (painting_) {
        // The paint in progress copies its own region when the program is done with it; what
        // lies outside it is copied by a paint of its own.
        const QRegion outside = QRegion(area) - *painting_;
        if (!outside.isEmpty()) {
            presented_ += outside;
            update(outside);
        }
        return;
    }
    // A frame drawn for a key press must be on the screen before the next key is handled.
    presented_ += area;
    repaint(area);
}

// Disabling the window for a modal dialog and enabling it again, and the keyboard focus that
// leaves and returns with it, repaint nothing: the pattern on the screen stays behind the
// dialog, as the platform leaves it. (Qt repaints the whole window on each, and every repaint
// the program did not ask for shows the start screen.)
void SurfaceWindow::changeEvent(QEvent* e) {
    if (e->type() == QEvent::EnabledChange) {
        return;
    }
    TopLevelWidget::changeEvent(e);
}

void SurfaceWindow::focusInEvent(QFocusEvent*) {}

void SurfaceWindow::focusOutEvent(QFocusEvent*) {}

void SurfaceWindow::paintEvent(QPaintEvent* e) {
    const QRegion region = e->region();
    if (window_) {
        const QRegion system = region - presented_;
        presented_ -= region;
        if (!system.isEmpty()) {
            const qreal ratio = devicePixelRatioF();
            const int width = window_->surface.Width();
            const int height = window_->surface.Height();
            painting_ = &region;
            for (const QRect& r : system) {
                const RECT device = DeviceCover(r, ratio, width, height);
                windowing::Invalidate(window_, &device);
            }
            windowing::DeliverPaint(window_);
            painting_ = nullptr;
        }
    }
    Blit(region);
}

void SurfaceWindow::Blit(const QRegion& region) {
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    if (!window_ || window_->surface.Empty()) {
        painter.fillRect(rect(), Qt::black);
        return;
    }
    const gdi::Surface& s = window_->surface;
    QImage image(reinterpret_cast<const uchar*>(s.Row(0)), s.Width(), s.Height(),
                 static_cast<qsizetype>(s.Width()) * 4, QImage::Format_RGB32);
    const qreal ratio = devicePixelRatioF();
    for (const QRect& r : region) {
        const RECT d = DeviceCover(r, ratio, s.Width(), s.Height());
        if (IsRectEmpty(&d)) {
            continue;
        }
        const QRectF target(d.left / ratio, d.top / ratio, (d.right - d.left) / ratio,
                            (d.bottom - d.top) / ratio);
        painter.drawImage(target, image, QRectF(d.left, d.top, d.right - d.left, d.bottom - d.top));
    }
    // A surface smaller than the window (a resize on its way) leaves the rest black.
    const QRegion beyond =
        region - QRect(0, 0, qFloor(s.Width() / ratio), qFloor(s.Height() / ratio));
    for (const QRect& r : beyond) {
        painter.fillRect(r, Qt::black);
    }
}

void SurfaceWindow::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (!window_ || !isVisible() || isMinimized()) {
        return;
    }
    RECT device = DeviceClientRect(this);
    if (IsRectEmpty(&device)) {
        const qreal ratio = devicePixelRatioF();
        device = RECT{0, 0, DeviceLength(width(), ratio), DeviceLength(height(), ratio)};
    }
    windowing::ClientResized(window_, device.right - device.left, device.bottom - device.top);
}

void SurfaceWindow::RouteMouse(UINT message, QMouseEvent* e) {
    if (window_) {
        backend_.RouteMouse(window_, message, *e);
    }
}

void SurfaceWindow::mousePressEvent(QMouseEvent* e) {
    pressGlobal_ = e->globalPosition().toPoint();
    if (e->button() == Qt::LeftButton) {
        RouteMouse(WM_LBUTTONDOWN, e);
    } else if (e->button() == Qt::RightButton) {
        RouteMouse(WM_RBUTTONDOWN, e);
    }
}

void SurfaceWindow::mouseDoubleClickEvent(QMouseEvent* e) {
    pressGlobal_ = e->globalPosition().toPoint();
    if (e->button() == Qt::LeftButton) {
        RouteMouse(WM_LBUTTONDBLCLK, e);
    } else if (e->button() == Qt::RightButton) {
        RouteMouse(WM_RBUTTONDBLCLK, e);
    }
}

void SurfaceWindow::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) {
        dragging_ = false;
        RouteMouse(WM_LBUTTONUP, e);
    } else if (e->button() == Qt::RightButton) {
        RouteMouse(WM_RBUTTONUP, e);
    }
}

void SurfaceWindow::mouseMoveEvent(QMouseEvent* e) {
    if (dragging_ && (e->buttons() & Qt::LeftButton)) {
        move(dragOrigin_ + (e->globalPosition().toPoint() - pressGlobal_));
    }
}

void SurfaceWindow::BeginMoveDrag() {
    if (windowHandle() && windowHandle()->startSystemMove()) {
        return;
    }
    // No window manager to move the window: follow the mouse until the button comes up.
    dragging_ = true;
    dragOrigin_ = pos();
}

} // namespace qtbackend
