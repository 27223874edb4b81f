#pragma once
// Qt's screens as the window layer's monitors, in device pixels. Qt hands out geometry in
// logical pixels, in which a screen keeps its device-pixel top-left corner and only its size is
// divided by its scale factor; a size that does not divide evenly is rounded. So device
// geometry comes from the platform's own screens and windows, and logical placement is
// computed per screen.

#include "platform/windowing/monitors.h"

#include <QRect>

#include <vector>

class QScreen;
class QWidget;

namespace qtbackend {

// The screen's rectangle in device pixels of the virtual screen.
RECT DeviceGeometry(const QScreen* screen);
// Every screen, in Qt's order, as a monitor.
std::vector<windowing::Monitor> ScreenMonitors();
// The screen that is this monitor (same name and place, else same name); null when gone.
QScreen* ScreenOf(const windowing::Monitor& monitor);
// The screen that holds most of a device rectangle (the nearest one when none does).
QScreen* ScreenAt(const RECT& device);
// The logical geometry that puts a window's client area on exactly these device pixels.
QRect LogicalPlacement(const RECT& device);
// The client area of a shown top-level widget in device pixels of the virtual screen; empty
// before the window system knows it.
RECT DeviceClientRect(const QWidget* widget);

} // namespace qtbackend
