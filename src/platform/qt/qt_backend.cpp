// The Qt backend: the window layer's windows as Qt widgets on the monitors Qt reports.
//
// Sections: life and monitors · windows · drawing · loops, posted work and the end of the
// session · the system: drags, the system menu, hot keys, queries · input

#include "platform/qt/qt_backend.h"

#include "platform/qt/device_pixels.h"
#include "platform/qt/dialog_window.h"
#include "platform/qt/hot_keys.h"
#include "platform/qt/idle_heap_trim.h"
#include "platform/qt/key_map.h"
#include "platform/qt/screen_readback.h"
#include "platform/qt/screens.h"
#include "platform/qt/surface_window.h"
#include "platform/qt/system_menu_texts.h"
#include "platform/windowing/window_manager.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMenu>
#include <QScreen>
#include <QTimer>
#include <QtGui/private/qkeymapper_p.h>

namespace qtbackend {

// --- life and monitors ---------------------------------------------------------------------------

Backend::Backend(std::string modulePath)
    : modulePath_(std::move(modulePath)),
      xkbKeycodes_(QGuiApplication::platformName().startsWith(QLatin1String("xcb")) ||
                   QGuiApplication::platformName().startsWith(QLatin1String("wayland"))),
      hotKeys_(std::make_unique<HotKeys>([this](const MSG& msg) { Post(msg); })),
      heapTrim_(std::make_unique<IdleHeapTrim>()) {
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { OnFocusChanged(now); });
    // Resolution, orientation and arrangement changes reach the windows as the platform's
    // display change, once Qt has taken in the whole change.
    for (QScreen* screen : QGuiApplication::screens()) {
        WatchScreen(screen);
    }
    connect(qApp, &QGuiApplication::screenAdded, this, [this](QScreen* screen) {
        WatchScreen(screen);
        ScheduleDisplayChange();
    });
    connect(qApp, &QGuiApplication::screenRemoved, this, [this] { ScheduleDisplayChange(); });
    connect(qApp, &QGuiApplication::primaryScreenChanged, this,
            [this] { ScheduleDisplayChange(); });
}

void Backend::WatchScreen(QScreen* screen) {
    connect(screen, &QScreen::geometryChanged, this, [this] { ScheduleDisplayChange(); });
}

void Backend::ScheduleDisplayChange() {
    if (displayChangePending_) {
        return;
    }
    displayChangePending_ = true;
    QTimer::singleShot(0, this, [this] {
        displayChangePending_ = false;
        ++displayChanges_;
        windowing::DisplayChanged();
    });
}

Backend::~Backend() {
    hotKeys_.reset();
    for (const QPointer<QWidget>& widget : retired_) {
        delete widget.data();
    }
}

TopLevelWidget* Backend::TopOf(const windowing::Window* w) {
    if (!w || w->parent || !w->peer) {
        return nullptr;
    }
    return static_cast<TopLevelWidget*>(static_cast<QWidget*>(w->peer));
}

QWidget* Backend::Widget(const windowing::Window* w) const {
    return w ? static_cast<QWidget*>(w->peer) : nullptr;
}

std::vector<windowing::Monitor> Backend::Monitors() const {
    return ScreenMonitors();
}

// --- windows -------------------------------------------------------------------------------------

void Backend::WindowCreated(windowing::Window* w) {
    // A window with a title bar is a dialog of controls; one without is the program's own
    // drawing surface.
    TopLevelWidget* top = nullptr;
    if ((w->style & WS_CAPTION) == WS_CAPTION) {
        top = new DialogWindow(*this, w);
    } else {
        top = new SurfaceWindow(*this, w);
    }
    w->peer = static_cast<QWidget*>(top);
    top->Sync();
}

void Backend::WindowDestroyed(windowing::Window* w) {
    hotKeys_->WindowDestroyed(w);
    if (auto it = loops_.find(w); it != loops_.end()) {
        it->second->quit();
    }
    if (TopLevelWidget* top = TopOf(w)) {
        top->Detach();
        // Deleted once the event that destroys the window has been handled.
        top->deleteLater();
        retired_.emplace_back(top);
    }
    w->peer = nullptr;
    std::erase_if(retired_, [](const QPointer<QWidget>& p) { return p.isNull(); });
}

void Backend::WindowChanged(windowing::Window* w) {
    if (w->parent) {
        if (TopLevelWidget* top = TopOf(w->parent)) {
            top->SyncControl(w);
        }
    } else if (TopLevelWidget* top = TopOf(w)) {
        top->Sync();
    }
}

void Backend::FocusChanged(windowing::Window* dialog) {
    if (TopLevelWidget* top = TopOf(dialog)) {
        top->SyncFocus();
    }
}

void Backend::OnFocusChanged(QWidget* now) {
    if (!now || now->isWindow()) {
        return;
    }
    if (auto* top = dynamic_cast<TopLevelWidget*>(now->window())) {
        top->ControlFocused(now);
    }
}

// --- drawing -------------------------------------------------------------------------------------

void Backend::PaintRequested(windowing::Window* w) {
    if (TopLevelWidget* top = TopOf(w); top && dynamic_cast<SurfaceWindow*>(top)) {
        top->RequestPaint();
        return;
    }
    // Dialogs draw nothing of their own: the paint only validates, once the current event is
    // done.
    QMetaObject::invokeMethod(
        this,
        [w] {
            if (windowing::IsLive(w)) {
                windowing::DeliverPaint(w);
            }
        },
        Qt::QueuedConnection);
}

void Backend::Present(windowing::Window* w, const RECT& rect) {
    ++presents_;
    if (TopLevelWidget* top = TopOf(w)) {
        top->Present(rect);
    }
}

// --- loops, posted work and the end of the session -----------------------------------------------

void Backend::RunModalLoop(windowing::Window* w) {
    QEventLoop loop;
    loops_[w] = &loop;
    // Input inside the loop answers key-state questions for itself.
    const auto outerModifiers = inputModifiers_;
    inputModifiers_.reset();
    while (windowing::IsLive(w) && !w->modalEnded) {
        loop.exec(QEventLoop::DialogExec);
    }
    inputModifiers_ = outerModifiers;
    loops_.erase(w);
}

void Backend::EndModalLoop(windowing::Window* w) {
    if (auto it = loops_.find(w); it != loops_.end()) {
        it->second->quit();
    }
}

void Backend::EndSession() {
    windowing::CloseModalWindows([this](windowing::Window* w) { EndModalLoop(w); });
}

void Backend::Post(const MSG& msg) {
    QMetaObject::invokeMethod(
        this,
        [msg] {
            if (windowing::IsLive(msg.hwnd)) {
                windowing::SendMessageTo(msg.hwnd, msg.message, msg.wParam, msg.lParam);
            }
        },
        Qt::QueuedConnection);
}

// --- the system: drags, the system menu, hot keys, queries ---------------------------------------

void Backend::BeginMoveDrag(windowing::Window* w) {
    if (TopLevelWidget* top = TopOf(w)) {
        top->BeginMoveDrag();
    }
}

void Backend::ShowSystemMenu(windowing::Window* w) {
    TopLevelWidget* top = TopOf(w);
    if (!top || !top->isVisible()) {
        return;
    }
    auto* menu = new QMenu(top);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    auto add = [&](const QString& text, UINT command, bool enabled) {
        QAction* action = menu->addAction(text);
        action->setEnabled(enabled);
        connect(
            action, &QAction::triggered, this,
            [w, command] {
                if (windowing::IsLive(w)) {
                    windowing::SendMessageTo(w, WM_SYSCOMMAND, command, 0);
                }
            },
            Qt::QueuedConnection);
    };
    // The window system's own items, in the user's language, then what the program appended.
    const SystemMenuTexts texts = SystemMenuTextsIn(base::LanguageOfLocale(base::MessagesLocale()));
    add(texts.restore, SC_RESTORE, w->show != windowing::ShowState::Normal);
    add(texts.minimize, SC_MINIMIZE, w->show != windowing::ShowState::Minimized);
    add(texts.maximize, SC_MAXIMIZE, w->show != windowing::ShowState::Maximized);
    menu->addSeparator();
    add(texts.close, SC_CLOSE, true);
    for (const MenuData::Item& item : w->systemMenu.items) {
        if (item.flags & MF_SEPARATOR) {
            menu->addSeparator();
        } else {
            add(QString::fromUtf8(item.text), static_cast<UINT>(item.id), true);
        }
    }
    menu->popup(top->mapToGlobal(QPoint(0, 0)));
}

bool Backend::RegisterHotKey(windowing::Window* w, int id, UINT modifiers, UINT vk) {
    return hotKeys_->Register(w, id, modifiers, vk);
}

bool Backend::UnregisterHotKey(windowing::Window* w, int id) {
    return hotKeys_->Unregister(w, id);
}

bool Backend::IsKeyDown(UINT vk) const {
    const Qt::KeyboardModifiers held =
        inputModifiers_ ? *inputModifiers_ : QGuiApplication::queryKeyboardModifiers();
    switch (vk) {
    case VK_SHIFT:
        return held & Qt::ShiftModifier;
    case VK_CONTROL:
        return held & Qt::ControlModifier;
    case VK_MENU:
        return held & Qt::AltModifier;
    default:
        return false;
    }
}

std::string Backend::ModulePath() const {
    if (!modulePath_.empty()) {
        return modulePath_;
    }
    return QCoreApplication::applicationFilePath().toStdString();
}

windowing::ScreenPixels Backend::ReadScreen(const RECT& area) {
    // Paints Qt still holds back are not yet on the screen: hand them to the window system first.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    return ReadBackScreen(area);
}

// --- input ---------------------------------------------------------------------------------------

KeyFacts Backend::FactsOf(const QKeyEvent& e) const {
    KeyFacts facts{e.key(), e.modifiers(), 0, 0};
    // XKB keycodes: what X11 and Wayland report as the native scan code.
    if (!xkbKeycodes_ || e.nativeScanCode() == 0) {
        return facts;
    }
    facts.keycode = e.nativeScanCode();
    // The layout's keys for this physical key, the one without modifiers first.
    const QList<int> possible = QKeyMapper::possibleKeys(const_cast<QKeyEvent*>(&e));
    if (!possible.isEmpty()) {
        facts.baseKey = possible.front() & ~Qt::KeyboardModifierMask;
    }
    return facts;
}

void Backend::RouteKey(windowing::Window* w, const QKeyEvent& e) {
    heapTrim_->InputArrived();
    const bool press = e.type() == QEvent::KeyPress;
    if (!press && e.isAutoRepeat()) {
        return; // a held key repeats its key-down only
    }
    const KeyMessage key = TranslateKey(FactsOf(e), press, e.isAutoRepeat());
    Qt::KeyboardModifiers held = e.modifiers();
    // The modifier key's own event may or may not count itself as held; the platform says it
    // is down from its key-down on.
    if (key.vk == VK_SHIFT) {
        held.setFlag(Qt::ShiftModifier, press);
    } else if (key.vk == VK_CONTROL) {
        held.setFlag(Qt::ControlModifier, press);
    } else if (key.vk == VK_MENU) {
        held.setFlag(Qt::AltModifier, press);
    }
    windowing::Window* target = windowing::ActiveModalWindow();
    if (!target) {
        target = w;
    }
    const auto outer = inputModifiers_;
    inputModifiers_ = held;
    windowing::ProcessInput(MSG{target, key.message, key.vk, key.lParam});
    inputModifiers_ = outer;
}

void Backend::RouteMouse(windowing::Window* w, UINT message, const QMouseEvent& e) {
    const QPoint p = DevicePoint(e.position(), Widget(w) ? Widget(w)->devicePixelRatioF() : 1.0);
    WPARAM keys = 0;
    keys |= (e.buttons() & Qt::LeftButton) ? MK_LBUTTON : 0;
    keys |= (e.buttons() & Qt::RightButton) ? MK_RBUTTON : 0;
    keys |= (e.modifiers() & Qt::ShiftModifier) ? MK_SHIFT : 0;
    keys |= (e.modifiers() & Qt::ControlModifier) ? MK_CONTROL : 0;
    const auto outer = inputModifiers_;
    inputModifiers_ = e.modifiers();
    windowing::ProcessInput(MSG{w, message, keys, MAKELPARAM(p.x(), p.y())});
    inputModifiers_ = outer;
}

bool Backend::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease &&
        type != QEvent::ShortcutOverride) {
        return false;
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    auto* top = widget ? dynamic_cast<TopLevelWidget*>(widget->window()) : nullptr;
    if (!top || !top->Window()) {
        return false;
    }
    if (type == QEvent::ShortcutOverride) {
        // No Qt shortcut or mnemonic may act on its own: every key goes to the program.
        event->accept();
        return true;
    }
    RouteKey(top->Window(), *static_cast<QKeyEvent*>(event));
    return true;
}

} // namespace qtbackend
