#include "platform/qt/screens.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <qpa/qplatformscreen.h>
#include <qpa/qplatformwindow.h>

#include <cmath>

namespace qtbackend {

namespace {

// Platforms that scale by themselves (Wayland, macOS) report native geometry in units of their
// own ratio; X11 and Qt's own scaling report device pixels here.
RECT Scaled(const QRect& native, qreal platformRatio) {
    auto scale = [platformRatio](int v) {
        return static_cast<LONG>(std::lround(v * platformRatio));
    };
    return RECT{scale(native.left()), scale(native.top()), scale(native.left() + native.width()),
                scale(native.top() + native.height())};
}

} // namespace

RECT DeviceGeometry(const QScreen* screen) {
    if (!screen) {
        return RECT{};
    }
    if (const QPlatformScreen* platform = screen->handle()) {
        return Scaled(platform->geometry(), platform->devicePixelRatio());
    }
    const QRect g = screen->geometry();
    return RECT{g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
}

std::vector<windowing::Monitor> ScreenMonitors() {
    std::vector<windowing::Monitor> monitors;
    const QScreen* primary = QGuiApplication::primaryScreen();
    for (const QScreen* screen : QGuiApplication::screens()) {
        monitors.push_back(windowing::Monitor{screen->name().toStdString(), DeviceGeometry(screen),
                                              screen->devicePixelRatio(), screen == primary});
    }
    return monitors;
}

QScreen* ScreenOf(const windowing::Monitor& monitor) {
    const QList<QScreen*> screens = QGuiApplication::screens();
    const int i = windowing::FindMonitor(ScreenMonitors(), monitor);
    return i >= 0 && i < screens.size() ? screens[i] : nullptr;
}

QScreen* ScreenAt(const RECT& device) {
    const QList<QScreen*> screens = QGuiApplication::screens();
    const int i = windowing::MonitorIndexFromRect(ScreenMonitors(), device);
    return i >= 0 && i < screens.size() ? screens[i] : QGuiApplication::primaryScreen();
}

QRect LogicalPlacement(const RECT& device) {
    const QScreen* screen = ScreenAt(device);
    if (!screen || !screen->handle()) {
        return QRect(device.left, device.top, device.right - device.left,
                     device.bottom - device.top);
    }
    const QPlatformScreen* platform = screen->handle();
    const qreal platformRatio = platform->devicePixelRatio();
    // Qt's own factor for this screen, applied around the screen's native top-left corner.
    const qreal factor = screen->devicePixelRatio() / platformRatio;
    const QPoint origin = platform->geometry().topLeft();
    auto logical = [&](LONG v, int originAxis) {
        return static_cast<int>(
            std::lround((v / platformRatio - originAxis) / factor + originAxis));
    };
    const int left = logical(device.left, origin.x()), top = logical(device.top, origin.y());
    const int right = logical(device.right, origin.x()),
              bottom = logical(device.bottom, origin.y());
    return QRect(left, top, right - left, bottom - top);
}

RECT DeviceClientRect(const QWidget* widget) {
    const QWindow* window = widget ? widget->windowHandle() : nullptr;
    const QPlatformWindow* platform = window ? window->handle() : nullptr;
    if (!platform) {
        return RECT{};
    }
    return Scaled(platform->geometry(), platform->devicePixelRatio());
}

} // namespace qtbackend
