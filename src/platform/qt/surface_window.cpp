#include "platform/qt/surface_window.h"

#include "platform/qt/device_pixels.h"
#include "platform/qt/qt_backend.h"
#include "platform/qt/screens.h"
#include "platform/qt/x11_presenter.h"
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
    UseX11Presenter();
}

SurfaceWindow::~SurfaceWindow() {
    ReleaseSurface();
}

void SurfaceWindow::UseX11Presenter() {
    presenter_ = X11Presenter::Create();
    // The native window must exist to tell whether the server takes the surface's pixels as
    // they are.
    if (!presenter_ || !window_ || !presenter_->Accepts(static_cast<std::uint32_t>(winId()))) {
        presenter_.reset();
        return;
    }
    // Qt sends the paint events but paints nothing itself, and keeps no buffer of the window.
    setAttribute(Qt::WA_PaintOnScreen);
    window_->surface.SetPixelStore(presenter_.get());
}

void SurfaceWindow::ReleaseSurface() {
    if (window_ && presenter_) {
        window_->surface.SetPixelStore(nullptr);
    }
}

void SurfaceWindow::Detach() {
    ReleaseSurface();
    TopLevelWidget::Detach();
}

QPaintEngine* SurfaceWindow::paintEngine() const {
    return presenter_ ? nullptr : TopLevelWidget::paintEngine();
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
        BringToFront();
        break;
    }
    case windowing::ShowState::Normal:
        if (windowState() & (Qt::WindowFullScreen | Qt::WindowMaximized | Qt::WindowMinimized)) {
            showNormal();
        }
        setGeometry(LogicalPlacement(window_->normalRect));
        show();
        BringToFront();
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
    if (presenter_) {
        Put(area);
        return;
    }
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
    if (presenter_) {
        Put(region);
    } else {
        Blit(region);
    }
}

void SurfaceWindow::Put(const QRegion& region) {
    const auto id = static_cast<std::uint32_t>(winId());
    const qreal ratio = devicePixelRatioF();
    const int width = DeviceLength(this->width(), ratio);
    const int height = DeviceLength(this->height(), ratio);
    QRegion device;
    for (const QRect& r : region) {
        const RECT d = DeviceCover(r, ratio, width, height);
        device += QRect(d.left, d.top, d.right - d.left, d.bottom - d.top);
    }
    const QRect surface =
        window_ ? QRect(0, 0, window_->surface.Width(), window_->surface.Height()) : QRect();
    auto toRect = [](const QRect& r) {
        return RECT{r.left(), r.top(), r.right() + 1, r.bottom() + 1};
    };
    for (const QRect& r : device.intersected(surface)) {
        presenter_->Put(id, window_->surface, toRect(r));
    }
    // A surface smaller than the window (a resize on its way) leaves the rest black.
    for (const QRect& r : device.subtracted(surface)) {
        presenter_->FillBlack(id, toRect(r));
    }
    presenter_->Sync();
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

void SurfaceWindow::BringToFront() {
    raise();
    activateWindow();
    setFocus(Qt::ActiveWindowFocusReason);
}

void SurfaceWindow::RouteMouse(UINT message, QMouseEvent* e) {
    if (window_) {
        backend_.RouteMouse(window_, message, *e);
    }
}

void SurfaceWindow::mousePressEvent(QMouseEvent* e) {
    RoutePress(e, WM_LBUTTONDOWN, WM_RBUTTONDOWN);
}

void SurfaceWindow::mouseDoubleClickEvent(QMouseEvent* e) {
    RoutePress(e, WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK);
}

void SurfaceWindow::RoutePress(QMouseEvent* e, UINT left, UINT right) {
    pressGlobal_ = e->globalPosition().toPoint();
    if (e->button() == Qt::LeftButton) {
        RouteMouse(left, e);
    } else if (e->button() == Qt::RightButton) {
        RouteMouse(right, e);
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
