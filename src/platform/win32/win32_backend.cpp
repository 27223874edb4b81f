// The Windows backend.
//
//   Windows and controls     creation, destruction, bringing the native windows up to date
//   Drawing                  paints asked for, frames presented, the system's paints
//   Loops and posted work    modal loops, posted messages, the end of the session
//   Input and the system     keys and mouse, system commands, focus, moves, hot keys, menus
//   Queries                  monitors, key state, module path

#include "platform/win32/win32_backend.h"

#include "platform/windowing/resources.h"
#include "platform/windowing/window_manager.h"

#include <algorithm>

namespace win32backend {

namespace {

constexpr DWORD kStaticTypeMask = 0x1F;

win32native::Rect ToNative(const RECT& r) {
    return win32native::Rect{r.left, r.top, r.right, r.bottom};
}

win32native::ShowMode ToNative(windowing::ShowState s) {
    switch (s) {
    case windowing::ShowState::Hidden:
        return win32native::ShowMode::Hidden;
    case windowing::ShowState::Normal:
        return win32native::ShowMode::Normal;
    case windowing::ShowState::Maximized:
        return win32native::ShowMode::Maximized;
    case windowing::ShowState::Minimized:
        return win32native::ShowMode::Minimized;
    }
    return win32native::ShowMode::Hidden;
}

win32native::ControlKind KindOf(const windowing::Window* c) {
    if (c->controlClass == windowing::ControlClass::Static) {
        return (c->style & kStaticTypeMask) == SS_ICON ? win32native::ControlKind::Icon
                                                       : win32native::ControlKind::Text;
    }
    switch (c->style & BS_TYPEMASK) {
    case 2: // BS_CHECKBOX
    case BS_AUTOCHECKBOX:
        return win32native::ControlKind::CheckBox;
    case BS_DEFPUSHBUTTON:
        return win32native::ControlKind::DefaultPushButton;
    default:
        return win32native::ControlKind::PushButton;
    }
}

void UpdateControl(const windowing::Window* c, win32native::Handle handle) {
    win32native::UpdateControl(handle, c->text, c->check, ToNative(c->normalRect), c->Visible(),
                               c->enabled);
}

} // namespace

Backend::Backend(std::string modulePath) : modulePath_(std::move(modulePath)) {
    ok_ = win32native::Initialise(*this);
    monitors_ = Monitors();
}

Backend::~Backend() {
    for (auto& [w, peer] : peers_) {
        win32native::DestroyWindow(peer->handle);
    }
    for (auto& [layerIcon, icon] : icons_) {
        win32native::DestroyIcon(icon);
    }
    win32native::Shutdown();
}

// --- Windows and controls -----------------------------------------------------------------------

Backend::Peer* Backend::PeerOf(const windowing::Window* w) const {
    auto it = peers_.find(w);
    return it == peers_.end() ? nullptr : it->second.get();
}

windowing::Window* Backend::WindowOf(win32native::Handle top) const {
    auto it = windows_.find(top);
    return it == windows_.end() || !windowing::IsLive(it->second) ? nullptr : it->second;
}

windowing::Window* Backend::ControlOf(win32native::Handle control) const {
    auto it = controls_.find(control);
    return it == controls_.end() ? nullptr : it->second;
}

win32native::Handle Backend::NativeWindow(const windowing::Window* w) const {
    if (!w) {
        return nullptr;
    }
    if (w->parent) {
        return w->peer;
    }
    const Peer* peer = PeerOf(w);
    return peer ? peer->handle : nullptr;
}

void Backend::WindowCreated(windowing::Window* w) {
    auto peer = std::make_unique<Peer>();
    // A window with a title bar is a dialog of controls; one without is the program's own
    // drawing surface.
    peer->dialog = (w->style & WS_CAPTION) == WS_CAPTION;
    peer->title = w->text;
    win32native::Handle owner = NativeWindow(w->owner);
    peer->handle = peer->dialog ? win32native::CreateDialogWindow(w->text, owner)
                                : win32native::CreateSurfaceWindow(w->text);
    if (!peer->handle) {
        return; // the window layer goes on without a native window
    }
    windows_[peer->handle] = w;
    Peer& p = *peer;
    peers_[w] = std::move(peer);
    if (p.dialog) {
        CreateControls(w);
    }
    Sync(w);
}

void Backend::CreateControls(windowing::Window* dialog) {
    const Peer* peer = PeerOf(dialog);
    const windowing::DialogTemplate* t = dialog->dialogTemplate;
    void* font =
        t ? win32native::FontForDialog({t->faceName, t->pointSize, t->weight, t->italic}) : nullptr;
    for (auto& child : dialog->children) {
        const win32native::ControlKind kind = KindOf(child.get());
        const bool prefixes = (child->style & SS_NOPREFIX) == 0;
        win32native::Handle handle =
            win32native::CreateControl(peer->handle, kind, child->id, prefixes, font);
        if (!handle) {
            continue;
        }
        child->peer = handle;
        controls_[handle] = child.get();
        if (kind == win32native::ControlKind::Icon) {
            win32native::SetControlIcon(
                handle, NativeIcon(LoadIconW(AfxGetInstanceHandle(), child->iconId)));
        }
        UpdateControl(child.get(), handle);
    }
    win32native::ShowKeyboardCues(peer->handle);
}

void Backend::WindowDestroyed(windowing::Window* w) {
    Peer* peer = PeerOf(w);
    if (!peer) {
        return;
    }
    for (int id : peer->hotKeys) {
        win32native::UnregisterHotKey(peer->handle, id);
    }
    for (auto& child : w->children) {
        controls_.erase(child->peer);
        child->peer = nullptr;
    }
    const win32native::Handle handle = peer->handle;
    windows_.erase(handle);
    peers_.erase(w);
    w->peer = nullptr;
    if (painting_ == w) {
        painting_ = nullptr;
    }
    win32native::DestroyWindow(handle);
    // A dialog has gone: the keyboard goes back to the window it was above, as with the
    // platform's own dialogs.
    if (const Peer* owner = PeerOf(w->owner); owner && w->owner->enabled && w->owner->Visible()) {
        win32native::Activate(owner->handle);
    }
}

void Backend::WindowChanged(windowing::Window* w) {
    if (w->parent) {
        if (w->peer) {
            UpdateControl(w, w->peer);
        }
        return;
    }
    Sync(w);
}

win32native::IconHandle Backend::NativeIcon(HICON icon) {
    if (!icon || icon->size <= 0) {
        return nullptr;
    }
    auto it = icons_.find(icon);
    if (it == icons_.end()) {
        it = icons_
                 .emplace(icon, win32native::CreateIcon(icon->size, icon->pixels.data(),
                                                        icon->mask.data()))
                 .first;
    }
    return it->second;
}

void Backend::Sync(windowing::Window* w) {
    Peer* peer = PeerOf(w);
    if (!peer) {
        return;
    }
    if (peer->title != w->text) {
        peer->title = w->text;
        win32native::SetTitle(peer->handle, w->text);
    }
    if (peer->iconBig != w->iconBig || peer->iconSmall != w->iconSmall) {
        peer->iconBig = w->iconBig;
        peer->iconSmall = w->iconSmall;
        win32native::SetIcons(peer->handle, NativeIcon(w->iconBig), NativeIcon(w->iconSmall));
    }
    if (peer->enabled != w->enabled) {
        peer->enabled = w->enabled;
        win32native::Enable(peer->handle, w->enabled);
    }
    if (peer->shown != w->show) {
        ApplyShowState(w, *peer);
    }
}

void Backend::ApplyShowState(windowing::Window* w, Peer& peer) {
    if (w->show == windowing::ShowState::Minimized && peer.shown) {
        peer.beforeMinimize = *peer.shown;
    }
    peer.shown = w->show;
    const bool activate = w->show != windowing::ShowState::Hidden && w->enabled;
    win32native::Show(peer.handle, ToNative(w->show), ToNative(w->ScreenRect()), activate);
    if (w->show == windowing::ShowState::Hidden || w->show == windowing::ShowState::Minimized) {
        return;
    }
    // What the system made of it, should it differ from what was asked.
    const win32native::Rect client = win32native::ClientArea(peer.handle);
    windowing::ClientMoved(w, client.left, client.top);
    windowing::ClientResized(w, client.right - client.left, client.bottom - client.top);
}

// --- Drawing ------------------------------------------------------------------------------------

void Backend::PaintRequested(windowing::Window* w) {
    Peer* peer = PeerOf(w);
    if (peer && !peer->dialog) {
        // Invalidated from inside the system paint in progress: that paint covers it.
        if (painting_ != w && !IsRectEmpty(&w->invalid)) {
            win32native::Invalidate(peer->handle, ToNative(w->invalid));
        }
        return;
    }
    // Dialogs draw nothing of their own: the paint only validates, once the current message
    // is done.
    Later([w] {
        if (windowing::IsLive(w)) {
            windowing::DeliverPaint(w);
        }
    });
}

void Backend::Present(windowing::Window* w, const RECT& rect) {
    ++presents_;
    const Peer* peer = PeerOf(w);
    if (!peer || peer->dialog || w->surface.Empty()) {
        return;
    }
    // A frame drawn for a key press is on the screen before the next key is handled.
    win32native::Present(peer->handle, SurfacePixels(peer->handle), ToNative(rect));
}

void Backend::Paint(win32native::Handle top, const win32native::Rect& area) {
    windowing::Window* w = WindowOf(top);
    if (!w) {
        return;
    }
    const RECT r{area.left, area.top, area.right, area.bottom};
    painting_ = w;
    windowing::Invalidate(w, &r);
    windowing::DeliverPaint(w);
    painting_ = nullptr;
}

win32native::Pixels Backend::SurfacePixels(win32native::Handle top) {
    const windowing::Window* w = WindowOf(top);
    if (!w || w->surface.Empty()) {
        return {};
    }
    return win32native::Pixels{w->surface.Row(0), w->surface.Width(), w->surface.Height()};
}

// --- Loops and posted work ----------------------------------------------------------------------

void Backend::RunModalLoop(windowing::Window* w) {
    const bool running =
        win32native::RunMessagesUntil([w] { return !windowing::IsLive(w) || w->modalEnded; });
    if (!running) {
        // Told to quit: the program ends as if closed, saving what it saves.
        CloseModalWindows();
    }
}

void Backend::EndModalLoop(windowing::Window*) {
    win32native::WakeMessageLoop();
}

void Backend::Later(std::function<void()> work) {
    work_.push_back(std::move(work));
    win32native::PostWork();
}

void Backend::Post(const MSG& msg) {
    Later([msg] {
        if (windowing::IsLive(msg.hwnd)) {
            windowing::SendMessageTo(msg.hwnd, msg.message, msg.wParam, msg.lParam);
        }
    });
}

void Backend::WorkDue() {
    if (work_.empty()) {
        return;
    }
    std::function<void()> work = std::move(work_.front());
    work_.pop_front();
    work();
}

void Backend::CloseModalWindows() {
    windowing::CloseModalWindows(nullptr);
    win32native::WakeMessageLoop();
}

void Backend::EndSession() {
    // The system ends the process once this returns, so the windows cannot wait for their loops
    // to unwind: they are destroyed here, innermost first, and the main window saves as it
    // goes.
    CloseModalWindows();
    CWinApp* app = AfxGetApp();
    if (!app) {
        return;
    }
    const std::vector<windowing::Window*> stack = app->Windows().modalStack;
    for (auto it = stack.rbegin(); it != stack.rend(); ++it) {
        if (windowing::IsLive(*it) && (*it)->wnd) {
            (*it)->wnd->DestroyWindow();
        }
    }
}

// --- Input and the system -----------------------------------------------------------------------

void Backend::Input(win32native::Handle top, const win32native::Message& m) {
    windowing::Window* w = WindowOf(top);
    if (!w) {
        return;
    }
    windowing::Window* target = w;
    if (IsKeyboardMessage(m.message)) {
        // Keys belong to the innermost modal window, wherever the system sent them.
        if (windowing::Window* modal = windowing::ActiveModalWindow()) {
            target = modal;
        }
    }
    windowing::ProcessInput(MSG{target, m.message, m.wParam, m.lParam});
}

void Backend::SystemCommand(win32native::Handle top, unsigned command) {
    windowing::Window* w = WindowOf(top);
    if (!w || !w->enabled) {
        return; // a window under a modal dialog decides nothing
    }
    const Peer* peer = PeerOf(w);
    // Restoring a window that was maximised before it was minimised maximises it again.
    if ((command & 0xFFF0) == SC_RESTORE && w->show == windowing::ShowState::Minimized && peer &&
        peer->beforeMinimize == windowing::ShowState::Maximized) {
        command = SC_MAXIMIZE;
    }
    windowing::SendMessageTo(w, WM_SYSCOMMAND, command, 0);
}

void Backend::Activated(win32native::Handle top) {
    windowing::Window* w = WindowOf(top);
    if (!w) {
        return;
    }
    windowing::Window* modal = windowing::ActiveModalWindow();
    if (!w->enabled && modal && modal != w && PeerOf(modal)) {
        // The window under a modal dialog was activated (from the task bar): the dialog takes
        // over, as the platform's own dialogs do.
        win32native::Activate(PeerOf(modal)->handle);
        return;
    }
    FocusChanged(w);
}

void Backend::FocusChanged(windowing::Window* dialog) {
    const Peer* peer = PeerOf(dialog);
    if (!peer || !peer->dialog || dialog->focus < 0 ||
        dialog->focus >= static_cast<int>(dialog->children.size())) {
        return;
    }
    if (win32native::Handle control =
            dialog->children[static_cast<std::size_t>(dialog->focus)]->peer) {
        win32native::FocusControl(control);
    }
}

void Backend::ControlClicked(win32native::Handle control) {
    if (windowing::Window* c = ControlOf(control)) {
        windowing::ControlClicked(c);
    }
}

void Backend::ControlFocused(win32native::Handle control) {
    if (windowing::Window* c = ControlOf(control)) {
        windowing::FocusControl(c);
    }
}

void Backend::Moved(win32native::Handle top, int left, int top_) {
    if (windowing::Window* w = WindowOf(top)) {
        windowing::ClientMoved(w, left, top_);
    }
}

void Backend::Resized(win32native::Handle top, int width, int height) {
    if (windowing::Window* w = WindowOf(top)) {
        windowing::ClientResized(w, width, height);
    }
}

void Backend::DisplayChanged() {
    std::vector<windowing::Monitor> now = Monitors();
    auto same = [](const windowing::Monitor& a, const windowing::Monitor& b) {
        return a.name == b.name && a.rect.left == b.rect.left && a.rect.top == b.rect.top &&
               a.rect.right == b.rect.right && a.rect.bottom == b.rect.bottom &&
               a.scale == b.scale && a.primary == b.primary;
    };
    if (std::equal(now.begin(), now.end(), monitors_.begin(), monitors_.end(), same)) {
        return;
    }
    monitors_ = std::move(now);
    windowing::DisplayChanged();
}

void Backend::HotKey(win32native::Handle top, const win32native::Message& m) {
    if (windowing::Window* w = WindowOf(top)) {
        windowing::SendMessageTo(w, m.message, m.wParam, m.lParam);
    }
}

void Backend::BeginMoveDrag(windowing::Window* w) {
    if (const Peer* peer = PeerOf(w)) {
        win32native::BeginMoveDrag(peer->handle);
    }
}

void Backend::ShowSystemMenu(windowing::Window* w) {
    const Peer* peer = PeerOf(w);
    if (!peer || !w->Visible()) {
        return;
    }
    std::vector<win32native::MenuItem> items;
    for (const MenuData::Item& item : w->systemMenu.items) {
        items.push_back(win32native::MenuItem{(item.flags & MF_SEPARATOR) != 0,
                                              static_cast<unsigned>(item.id), item.text});
    }
    win32native::ShowSystemMenu(peer->handle, items, ToNative(w->show));
}

bool Backend::RegisterHotKey(windowing::Window* w, int id, UINT modifiers, UINT vk) {
    Peer* peer = PeerOf(w);
    if (!peer || !win32native::RegisterHotKey(peer->handle, id, modifiers, vk)) {
        return false;
    }
    peer->hotKeys.push_back(id);
    return true;
}

bool Backend::UnregisterHotKey(windowing::Window* w, int id) {
    Peer* peer = PeerOf(w);
    if (!peer || !win32native::UnregisterHotKey(peer->handle, id)) {
        return false;
    }
    std::erase(peer->hotKeys, id);
    return true;
}

// --- Queries ------------------------------------------------------------------------------------

std::vector<windowing::Monitor> Backend::Monitors() const {
    std::vector<windowing::Monitor> out;
    for (const win32native::Monitor& m : win32native::Monitors()) {
        out.push_back(windowing::Monitor{m.name,
                                         RECT{m.rect.left, m.rect.top, m.rect.right, m.rect.bottom},
                                         m.scale, m.primary});
    }
    return out;
}

bool Backend::IsKeyDown(UINT vk) const {
    return win32native::IsKeyDown(vk);
}

std::string Backend::ModulePath() const {
    return modulePath_.empty() ? win32native::ModulePath() : modulePath_;
}

} // namespace win32backend
