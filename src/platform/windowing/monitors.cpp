#include "platform/windowing/monitors.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace windowing {

namespace {

std::int64_t OverlapArea(const RECT& a, const RECT& b) {
    const std::int64_t w = std::min(a.right, b.right) - std::max(a.left, b.left);
    const std::int64_t h = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
    return w > 0 && h > 0 ? w * h : 0;
}

// Squared distance between the closest points of two rectangles (0 when they touch or
// overlap).
std::int64_t SquaredGap(const RECT& a, const RECT& b) {
    const std::int64_t dx = std::max<std::int64_t>({0, b.left - a.right, a.left - b.right});
    const std::int64_t dy = std::max<std::int64_t>({0, b.top - a.bottom, a.top - b.bottom});
    return dx * dx + dy * dy;
}

} // namespace

int MonitorIndexFromRect(const std::vector<Monitor>& monitors, const RECT& rect) {
    int best = -1;
    std::int64_t bestArea = 0;
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        const std::int64_t area = OverlapArea(monitors[i].rect, rect);
        if (area > bestArea) {
            best = static_cast<int>(i);
            bestArea = area;
        }
    }
    if (best >= 0) {
        return best;
    }
    std::int64_t bestGap = std::numeric_limits<std::int64_t>::max();
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        const std::int64_t gap = SquaredGap(monitors[i].rect, rect);
        if (gap < bestGap) {
            best = static_cast<int>(i);
            bestGap = gap;
        }
    }
    return best;
}

int PrimaryMonitorIndex(const std::vector<Monitor>& monitors) {
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        if (monitors[i].primary) {
            return static_cast<int>(i);
        }
    }
    return monitors.empty() ? -1 : 0;
}

int FindMonitor(const std::vector<Monitor>& monitors, const Monitor& monitor) {
    std::vector<Monitor> namesake;
    std::vector<int> index;
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        if (monitors[i].name == monitor.name) {
            namesake.push_back(monitors[i]);
            index.push_back(static_cast<int>(i));
        }
    }
    if (namesake.empty()) {
        return -1;
    }
    return index[static_cast<std::size_t>(MonitorIndexFromRect(namesake, monitor.rect))];
}

} // namespace windowing
