#include "platform/headless/headless_backend.h"

#include "platform/windowing/window_manager.h"

namespace headless {

Backend::Backend(SIZE screen, std::string modulePath)
    : Backend({windowing::Monitor{"headless", RECT{0, 0, screen.cx, screen.cy}, 1.0, true}},
              std::move(modulePath)) {}

Backend::Backend(std::vector<windowing::Monitor> monitors, std::string modulePath)
    : monitors_(std::move(monitors)), modulePath_(std::move(modulePath)) {}

std::vector<windowing::Monitor> Backend::Monitors() const {
    return monitors_;
}

void Backend::ChangeMonitors(std::vector<windowing::Monitor> monitors) {
    script_.push_back([this, monitors = std::move(monitors)](windowing::Window*) {
        monitors_ = monitors;
        windowing::DisplayChanged();
    });
}

void Backend::Drag(int x, int y, int dx, int dy) {
    script_.push_back([this, x, y, dx, dy](windowing::Window* w) {
        dragBy_ = POINT{dx, dy};
        windowing::ProcessInput(MSG{w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)});
    });
    // The move itself happens when the program's request for it arrives, after the press.
    Mouse(WM_LBUTTONUP, x + dx, y + dy);
}

void Backend::BeginMoveDrag(windowing::Window* w) {
    drags_.push_back(w->text);
    const POINT by = dragBy_;
    dragBy_ = POINT{};
    if (by.x != 0 || by.y != 0) {
        windowing::ClientMoved(w, w->normalRect.left + by.x, w->normalRect.top + by.y);
    }
}

void Backend::KeyDown(UINT vk) {
    script_.push_back([vk](windowing::Window* w) {
        windowing::ProcessInput(MSG{w, WM_KEYDOWN, vk, 1});
        if (windowing::IsLive(w)) {
            windowing::ProcessInput(MSG{w, WM_KEYUP, vk, static_cast<LPARAM>(0xC0000001u)});
        }
    });
}

void Backend::SysKeyDown(UINT vk) {
    script_.push_back([vk](windowing::Window* w) {
        windowing::ProcessInput(MSG{w, WM_SYSKEYDOWN, vk, static_cast<LPARAM>(0x20000001)});
    });
}

void Backend::HoldKey(UINT vk, bool down) {
    script_.push_back([this, vk, down](windowing::Window*) {
        if (down) {
            held_.insert(vk);
        } else {
            held_.erase(vk);
        }
    });
}

void Backend::Mouse(UINT message, int x, int y) {
    script_.push_back([message, x, y](windowing::Window* w) {
        const WPARAM keys = message == WM_RBUTTONDOWN || message == WM_RBUTTONDBLCLK   ? MK_RBUTTON
                            : message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK ? MK_LBUTTON
                                                                                       : 0;
        windowing::ProcessInput(MSG{w, message, keys, MAKELPARAM(x, y)});
    });
}

void Backend::ClickControl(int controlId) {
    script_.push_back(
        [controlId](windowing::Window* w) { windowing::ControlClicked(w->Child(controlId)); });
}

void Backend::Close() {
    script_.push_back(
        [](windowing::Window* w) { windowing::SendMessageTo(w, WM_SYSCOMMAND, SC_CLOSE, 0); });
}

void Backend::Expose(RECT rect) {
    script_.push_back([rect](windowing::Window* w) {
        // The main window is the one at the bottom of the modal stack.
        windowing::Window* target = w;
        while (target->owner) {
            target = target->owner;
        }
        windowing::Invalidate(target, &rect);
    });
}

void Backend::Run(std::function<void()> step) {
    script_.push_back([step = std::move(step)](windowing::Window*) { step(); });
}

const gdi::Surface* Backend::Screen(const windowing::Window* w) const {
    auto it = screens_.find(w);
    return it == screens_.end() ? nullptr : &it->second;
}

void Backend::WindowCreated(windowing::Window* w) {
    screens_[w] = gdi::Surface();
}

void Backend::WindowDestroyed(windowing::Window* w) {
    screens_.erase(w);
    // Hot keys die with their window.
    std::erase_if(hotKeys_, [w](const auto& entry) { return entry.second == w; });
}

void Backend::Present(windowing::Window* w, const RECT& rect) {
    ++presents_;
    gdi::Surface& screen = screens_[w];
    if (screen.Width() != w->surface.Width() || screen.Height() != w->surface.Height()) {
        screen.Resize(w->surface.Width(), w->surface.Height(), 0);
    }
    RECT bounds = screen.Bounds();
    RECT area;
    if (!IntersectRect(&area, &bounds, &rect)) {
        return;
    }
    for (int y = area.top; y < area.bottom; ++y) {
        std::copy(w->surface.Row(y) + area.left, w->surface.Row(y) + area.right,
                  screen.Row(y) + area.left);
    }
}

bool Backend::RegisterHotKey(windowing::Window* w, int id, UINT, UINT) {
    return hotKeys_.emplace(id, w).second;
}

bool Backend::UnregisterHotKey(windowing::Window*, int id) {
    return hotKeys_.erase(id) > 0;
}

bool Backend::PaintPending() {
    CWinApp* app = AfxGetApp();
    if (!app) {
        return false;
    }
    for (const auto& w : app->Windows().topLevel) {
        if (w->Visible() && !IsRectEmpty(&w->invalid)) {
            windowing::DeliverPaint(w.get());
            return true;
        }
    }
    return false;
}

void Backend::RunModalLoop(windowing::Window* w) {
    ++modalDepth_;
    while (windowing::IsLive(w) && !w->modalEnded) {
        if (!posted_.empty()) {
            MSG msg = posted_.front();
            posted_.pop_front();
            if (windowing::IsLive(msg.hwnd)) {
                windowing::SendMessageTo(msg.hwnd, msg.message, msg.wParam, msg.lParam);
            }
            continue;
        }
        if (PaintPending()) {
            continue;
        }
        if (script_.empty()) {
            // The script is over: every open modal loop ends, as if the session were closed.
            w->modalResult = IDABORT;
            w->modalEnded = true;
            break;
        }
        auto step = std::move(script_.front());
        script_.pop_front();
        windowing::Window* active = windowing::ActiveModalWindow();
        step(active ? active : w);
    }
    --modalDepth_;
}

} // namespace headless
