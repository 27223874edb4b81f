#pragma once
// The monitors of the window system and the platform's rules for which of them a window belongs
// to. Rectangles are in device pixels of the virtual screen, where window rectangles live too.

#include "platform/base/types.h"

#include <string>
#include <vector>

namespace windowing {

struct Monitor {
    std::string name;   // as the window system reports it
    RECT rect{};        // device pixels
    double scale = 1.0; // the window system's scale factor for it
    bool primary = false;
};

// The monitor that holds the largest part of rect; when none overlaps it, the nearest one (the
// platform's MonitorFromRect with MONITOR_DEFAULTTONEAREST). -1 when there is no monitor.
int MonitorIndexFromRect(const std::vector<Monitor>& monitors, const RECT& rect);

// The primary monitor's index: the one marked so, else the first; -1 when there is none.
int PrimaryMonitorIndex(const std::vector<Monitor>& monitors);

// Where a monitor went after the arrangement changed: the one of the same name (of several,
// the one nearest its old place); -1 when it is gone.
int FindMonitor(const std::vector<Monitor>& monitors, const Monitor& monitor);

} // namespace windowing
