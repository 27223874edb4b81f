// The window manager's side of every window: where it appears, its life, its messages, how it is
// shown, painted and moved between monitors.
//
// Sections: the window set and the monitors · creation and destruction · messages and the modal
// stack · showing, placement and size · display changes · painting and input · default message
// handling

#include "platform/windowing/window_manager.h"

#include "platform/gdi/out_of_memory.h"

#include <algorithm>
#include <new>

namespace windowing {

namespace {

// --- the window set and the monitors -------------------------------------------------------------

WindowSet* Set() {
    CWinApp* app = AfxGetApp();
    return app ? &app->Windows() : nullptr;
}

Monitor MonitorAt(const RECT& rect) {
    const std::vector<Monitor> all = Monitors();
    const int i = MonitorIndexFromRect(all, rect);
    return i < 0 ? Monitor{} : all[static_cast<std::size_t>(i)];
}

// Where a window without an owner appears: the monitor chosen at start while it exists.
Monitor StartMonitor(const WindowSet& set) {
    if (set.startMonitor) {
        const std::vector<Monitor> all = Monitors();
        const int i = FindMonitor(all, *set.startMonitor);
        if (i >= 0) {
            return all[static_cast<std::size_t>(i)];
        }
    }
    return PrimaryMonitor();
}

RECT ClientBounds(const Window* w) {
    RECT s = w->ScreenRect();
    return RECT{0, 0, s.right - s.left, s.bottom - s.top};
}

// What a frame that ran out of memory leaves on the screen: black, the way the surface of a
// window starts, and no pixel of the frame before.
void ShowBlackForLackOfMemory(Window* w) {
    if (!IsLive(w)) { // gone, or a control: what it drew into is not the frame
        return;
    }
    gdi::ReportOutOfMemory(w->surface.Width(), w->surface.Height());
    gdi::FillPixels(w->surface.Pixels().data(), w->surface.Pixels().size(), 0);
    if (Backend* b = CurrentBackend()) {
        b->Present(w, w->surface.Bounds());
    }
}

void ResizeSurface(Window* w) {
    RECT c = ClientBounds(w);
    if (w->surface.Width() != c.right || w->surface.Height() != c.bottom) {
        try {
            w->surface.Resize(c.right, c.bottom, 0);
        } catch (const std::bad_alloc&) {
            // An empty surface: the backend shows the window black, and paints draw nowhere.
            gdi::ReportOutOfMemory(c.right, c.bottom);
        }
    }
}

} // namespace

void Notify(Window* w) {
    if (Backend* b = CurrentBackend()) {
        b->WindowChanged(w);
    }
}

Backend* CurrentBackend() {
    CWinApp* app = AfxGetApp();
    return app ? app->GetBackend() : nullptr;
}

std::vector<Monitor> Monitors() {
    Backend* b = CurrentBackend();
    return b ? b->Monitors() : std::vector<Monitor>{};
}

Monitor PrimaryMonitor() {
    const std::vector<Monitor> all = Monitors();
    const int i = PrimaryMonitorIndex(all);
    return i < 0 ? Monitor{} : all[static_cast<std::size_t>(i)];
}

Monitor MonitorOfWindow(const Window* w) {
    while (w && w->parent) {
        w = w->parent;
    }
    if (!w) {
        return PrimaryMonitor();
    }
    if (w->show == ShowState::Maximized) {
        return w->monitor;
    }
    return MonitorAt(w->normalRect);
}

void SetStartMonitor(const Monitor& monitor) {
    if (WindowSet* set = Set()) {
        set->startMonitor = monitor;
    }
}

// --- creation and destruction --------------------------------------------------------------------

Window* CreateDialogWindow(CWnd* wnd, const DialogTemplate& t, Window* owner) {
    WindowSet* set = Set();
    if (!set) {
        return nullptr;
    }
    auto window = std::make_unique<Window>();
    Window* w = window.get();
    w->wnd = wnd;
    w->owner = owner;
    w->dialogTemplate = &t;
    w->style = t.style;
    w->exStyle = t.exStyle;
    w->text = t.caption;
    const SIZE units = DialogBaseUnits(t);
    RECT r = MapDialogRect(units, t.x, t.y, t.cx, t.cy);
    // A dialog without a caption sits where its template says, counted from the top-left corner
    // of its monitor; one with a caption is centred on that monitor, where the operator finds
    // it. The monitor is its owner's, or for a window of its own the one chosen at start.
    const Monitor home = owner ? MonitorOfWindow(owner) : StartMonitor(*set);
    const RECT screen = home.rect;
    if ((t.style & WS_CAPTION) == WS_CAPTION) {
        const int width = r.right - r.left, height = r.bottom - r.top;
        r.left = screen.left + std::max(0, (screen.right - screen.left - width) / 2);
        r.top = screen.top + std::max(0, (screen.bottom - screen.top - height) / 2);
        r.right = r.left + width;
        r.bottom = r.top + height;
    } else {
        OffsetRect(&r, screen.left, screen.top);
    }
    w->normalRect = r;
    w->monitor = home;
    for (const ControlTemplate& ct : t.controls) {
        auto child = std::make_unique<Window>();
        child->parent = w;
        child->controlClass = ct.cls;
        child->id = ct.id;
        child->iconId = ct.iconId;
        child->style = ct.style;
        child->exStyle = ct.exStyle;
        child->text = ct.text;
        child->normalRect = MapDialogRect(units, ct.x, ct.y, ct.cx, ct.cy);
        child->show = (ct.style & WS_VISIBLE) ? ShowState::Normal : ShowState::Hidden;
        child->enabled = (ct.style & WS_DISABLED) == 0;
        child->controlWnd = std::make_unique<CWnd>();
        child->controlWnd->m_hWnd = child.get();
        w->children.push_back(std::move(child));
    }
    ResizeSurface(w);
    wnd->m_hWnd = w;
    set->topLevel.push_back(std::move(window));
    if (Backend* b = CurrentBackend()) {
        b->WindowCreated(w);
    }
    return w;
}

bool IsLive(const Window* w) {
    WindowSet* set = Set();
    if (!set || !w) {
        return false;
    }
    return std::any_of(set->topLevel.begin(), set->topLevel.end(),
                       [w](const auto& p) { return p.get() == w; });
}

void DestroyWindowObject(Window* w) {
    WindowSet* set = Set();
    if (!set || !IsLive(w)) {
        return;
    }
    if (Backend* b = CurrentBackend()) {
        b->WindowDestroyed(w);
    }
    auto& stack = set->modalStack;
    stack.erase(std::remove(stack.begin(), stack.end(), w), stack.end());
    for (auto& child : w->children) {
        child->controlWnd->m_hWnd = nullptr;
    }
    if (w->wnd && w->wnd->m_hWnd == w) {
        w->wnd->m_hWnd = nullptr;
    }
    auto& all = set->topLevel;
    all.erase(std::remove_if(all.begin(), all.end(), [w](const auto& p) { return p.get() == w; }),
              all.end());
}

// --- messages and the modal stack ----------------------------------------------------------------

LRESULT SendMessageTo(Window* w, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!w) {
        return 0;
    }
    if (w->parent) {
        return DefaultWindowProc(w, message, wParam, lParam);
    }
    if (!w->wnd) {
        return 0;
    }
    return w->wnd->WindowProc(message, wParam, lParam);
}

Window* ActiveModalWindow() {
    WindowSet* set = Set();
    if (!set || set->modalStack.empty()) {
        return nullptr;
    }
    return set->modalStack.back();
}

void CloseModalWindows(const std::function<void(Window*)>& forced) {
    WindowSet* set = Set();
    if (!set) {
        return;
    }
    // A copy: closing a window takes it off the stack.
    const std::vector<Window*> stack = set->modalStack;
    for (auto it = stack.rbegin(); it != stack.rend(); ++it) {
        Window* w = *it;
        if (!IsLive(w) || w->modalEnded) {
            continue;
        }
        SendMessageTo(w, WM_SYSCOMMAND, SC_CLOSE, 0);
        if (IsLive(w) && !w->modalEnded) {
            w->modalResult = IDABORT;
            w->modalEnded = true;
            if (forced) {
                forced(w);
            }
        }
    }
}

// --- showing, placement and size -----------------------------------------------------------------

void Invalidate(Window* w, const RECT* rect) {
    if (!w || w->parent) {
        return;
    }
    RECT bounds = ClientBounds(w);
    RECT area = bounds;
    if (rect && !IntersectRect(&area, &bounds, rect)) {
        return;
    }
    if (IsRectEmpty(&area)) {
        return;
    }
    UnionRect(&w->invalid, &w->invalid, &area);
    if (Backend* b = CurrentBackend()) {
        b->PaintRequested(w);
    }
}

BOOL ShowWindow(Window* w, int cmdShow) {
    if (!w) {
        return FALSE;
    }
    const bool wasVisible = w->Visible();
    ShowState next = w->show;
    switch (cmdShow) {
    case SW_HIDE:
        next = ShowState::Hidden;
        break;
    case SW_SHOWMAXIMIZED:
        next = ShowState::Maximized;
        break;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
        next = ShowState::Minimized;
        break;
    case SW_SHOWNORMAL:
    case SW_RESTORE:
        next = ShowState::Normal;
        break;
    default: // SW_SHOW and the rest keep the current state, shown
        next = w->show == ShowState::Hidden ? ShowState::Normal : w->show;
        break;
    }
    if (next != w->show) {
        w->show = next;
        if (!w->parent && next != ShowState::Minimized) {
            // Maximising covers the monitor that holds most of the restored window.
            w->monitor = MonitorAt(w->normalRect);
        }
        if (!w->parent) {
            ResizeSurface(w);
        }
        Notify(w);
        if (!w->parent && next != ShowState::Hidden) {
            Invalidate(w, nullptr);
        }
    }
    return wasVisible;
}

BOOL SetPlacement(Window* w, const RECT& normal, int cmdShow) {
    if (!IsLive(w)) {
        return FALSE;
    }
    w->normalRect = normal;
    if (cmdShow == SW_SHOWMAXIMIZED && w->show == ShowState::Maximized) {
        const Monitor target = MonitorAt(normal);
        if (!(target.rect == w->monitor.rect) || target.name != w->monitor.name) {
            w->monitor = target;
            ResizeSurface(w);
            Notify(w);
            Invalidate(w, nullptr);
        }
        return TRUE;
    }
    if (w->show != ShowState::Maximized) {
        w->monitor = MonitorAt(normal);
        ResizeSurface(w);
        if (cmdShow != SW_SHOWMAXIMIZED) {
            Notify(w); // a window about to be maximised is not shown at its new place first
        }
    }
    ShowWindow(w, cmdShow);
    return TRUE;
}

void ClientResized(Window* w, int width, int height) {
    // A maximised window has its monitor's size whatever the window system reports on the way
    // there; the patterns are drawn for that size.
    if (!IsLive(w) || w->show == ShowState::Maximized) {
        return;
    }
    w->normalRect.right = w->normalRect.left + width;
    w->normalRect.bottom = w->normalRect.top + height;
    if (w->surface.Width() == width && w->surface.Height() == height) {
        return;
    }
    w->surface.Resize(width, height, 0);
    Invalidate(w, nullptr);
}

void ClientMoved(Window* w, int left, int top) {
    // A maximised window keeps the place it will be restored to.
    if (!IsLive(w) || w->show == ShowState::Maximized) {
        return;
    }
    OffsetRect(&w->normalRect, left - w->normalRect.left, top - w->normalRect.top);
    if (w->show == ShowState::Normal) {
        w->monitor = MonitorAt(w->normalRect);
    }
}

// --- display changes -----------------------------------------------------------------------------

void DisplayChanged() {
    WindowSet* set = Set();
    const std::vector<Monitor> all = Monitors();
    // While the window system rearranges its monitors it may briefly report none: the windows
    // stay where they are until it reports some.
    if (!set || all.empty()) {
        return;
    }
    const Monitor primary = all[static_cast<std::size_t>(PrimaryMonitorIndex(all))];
    std::vector<Window*> windows;
    for (const auto& w : set->topLevel) {
        windows.push_back(w.get());
    }
    for (Window* w : windows) {
        const int found = FindMonitor(all, w->monitor);
        const Monitor next = found >= 0 ? all[static_cast<std::size_t>(found)] : primary;
        const Monitor before = w->monitor;
        // The window keeps its place relative to its monitor's top-left corner, on the primary
        // monitor when its own is gone.
        OffsetRect(&w->normalRect, next.rect.left - before.rect.left,
                   next.rect.top - before.rect.top);
        w->monitor = next;
        if (before.rect == next.rect && before.name == next.name) {
            continue;
        }
        ResizeSurface(w);
        Notify(w);
        if (w->show == ShowState::Maximized) {
            Invalidate(w, nullptr);
        }
    }
    const LPARAM size =
        MAKELPARAM(primary.rect.right - primary.rect.left, primary.rect.bottom - primary.rect.top);
    for (Window* w : windows) {
        if (IsLive(w)) {
            SendMessageTo(w, WM_DISPLAYCHANGE, 32, size);
        }
    }
}

// --- the end of the session ----------------------------------------------------------------------

void SessionEnding() {
    WindowSet* set = Set();
    if (!set) {
        return;
    }
    std::vector<Window*> windows;
    for (const auto& w : set->topLevel) {
        windows.push_back(w.get());
    }
    for (Window* w : windows) {
        if (IsLive(w)) {
            SendMessageTo(w, WM_ENDSESSION, TRUE, 0);
        }
    }
}

// --- painting and input --------------------------------------------------------------------------

void DeliverPaint(Window* w) {
    if (!IsLive(w) || IsRectEmpty(&w->invalid)) {
        return;
    }
    if (!w->Visible()) {
        return;
    }
    // A surface that could not be had at the last size change is tried for again.
    if (w->surface.Empty()) {
        ResizeSurface(w);
    }
    try {
        SendMessageTo(w, WM_PAINT, 0, 0);
    } catch (const std::bad_alloc&) {
        ShowBlackForLackOfMemory(w);
    }
    // A window procedure that paints nothing still validates, as the default one would.
    w->invalid = RECT{};
}

static void DispatchInput(MSG msg) {
    Window* target = msg.hwnd;
    if (!IsLive(target)) {
        return;
    }
    if (!target->enabled) {
        return;
    }
    if (IsKeyboardMessage(msg.message) || IsMouseMessage(msg.message)) {
        if (target->wnd && target->wnd->PreTranslateMessage(&msg)) {
            return;
        }
        if (!IsLive(target)) {
            return;
        }
    }
    SendMessageTo(target, msg.message, msg.wParam, msg.lParam);
}

void ProcessInput(MSG msg) {
    // A key draws the next frame at once; one too large for the memory left leaves the window
    // black instead of ending the program.
    if (IsLive(msg.hwnd) && msg.hwnd->surface.Empty()) {
        ResizeSurface(msg.hwnd);
    }
    try {
        DispatchInput(msg);
    } catch (const std::bad_alloc&) {
        ShowBlackForLackOfMemory(msg.hwnd);
    }
}

// --- default message handling --------------------------------------------------------------------

LRESULT DefaultWindowProc(Window* w, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!w) {
        return 0;
    }
    Backend* b = CurrentBackend();
    switch (message) {
    case WM_SYSKEYDOWN:
        if (wParam == VK_F4) {
            return SendMessageTo(w, WM_SYSCOMMAND, SC_CLOSE, 0);
        }
        if (wParam == VK_SPACE && b && !w->parent) {
            b->ShowSystemMenu(w);
        }
        return 0;
    case WM_SYSCOMMAND:
        switch (wParam & 0xFFF0) {
        case SC_CLOSE:
            return SendMessageTo(w, WM_CLOSE, 0, 0);
        case SC_MINIMIZE:
            ShowWindow(w, SW_MINIMIZE);
            return 0;
        case SC_MAXIMIZE:
            ShowWindow(w, SW_SHOWMAXIMIZED);
            return 0;
        case SC_RESTORE:
            ShowWindow(w, SW_RESTORE);
            return 0;
        default:
            return 0;
        }
    case WM_CLOSE:
        // A dialog treats closing as its cancel command; other windows are destroyed.
        if (w->dialogTemplate) {
            return SendMessageTo(w, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
        }
        if (w->wnd) {
            w->wnd->DestroyWindow();
        }
        return 0;
    case WM_NCLBUTTONDOWN:
        if (static_cast<LRESULT>(wParam) == HTCAPTION) {
            if (b) {
                b->BeginMoveDrag(w);
            }
        }
        return 0;
    case WM_SETICON: {
        HICON icon = reinterpret_cast<HICON>(lParam);
        HICON& slot = wParam == ICON_BIG ? w->iconBig : w->iconSmall;
        HICON previous = slot;
        slot = icon;
        Notify(w);
        return reinterpret_cast<LRESULT>(previous);
    }
    case WM_PAINT:
        w->invalid = RECT{};
        return 0;
    case WM_INITDIALOG:
        return TRUE;
    default:
        return 0;
    }
}

} // namespace windowing
