#include "platform/windowing/window.h"

namespace windowing {

RECT Window::ScreenRect() const {
    if (show == ShowState::Maximized && !parent) {
        return monitor.rect;
    }
    return normalRect;
}

Window* Window::Child(int controlId) const {
    for (const auto& c : children) {
        if (c->id == controlId) {
            return c.get();
        }
    }
    return nullptr;
}

int Window::ChildIndex(const Window* child) const {
    for (std::size_t i = 0; i < children.size(); ++i) {
        if (children[i].get() == child) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

} // namespace windowing
