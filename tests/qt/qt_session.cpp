#include "qt/qt_session.h"

#include "platform/windowing/window_manager.h"

#include <QApplication>
#include <QBackingStore>
#include <QCoreApplication>
#include <QImage>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

namespace qt_testing {

QtSession::QtSession() : ProgramFolder("qt-test"), backend(ModulePath("lumivex")) {
    theApp.SetBackend(&backend);
}

QtSession::~QtSession() {
    theApp.Windows().startMonitor.reset();
    theApp.SetBackend(nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void QtSession::WaitUntilShown() {
    WaitUntil([this] { return MainWidget() && MainWidget()->isVisible(); }, "shown");
}

void QtSession::OpenSystemMenu() {
    Key(Qt::Key_Space, Qt::AltModifier);
    WaitUntil([] { return OpenMenu() != nullptr; }, "the system menu is open");
}

QMenu* QtSession::OpenMenu() {
    return qobject_cast<QMenu*>(QApplication::activePopupWidget());
}

void QtSession::WaitUntilDialogShown(std::string what) {
    WaitUntil([this] { return Dialog() && Dialog()->isVisible(); }, std::move(what));
}

void QtSession::WaitUntilDialogClosed(std::string what) {
    WaitUntil([this] { return !Dialog(); }, std::move(what));
}

void QtSession::Key(int key, Qt::KeyboardModifiers modifiers) {
    // Activation is asynchronous: a window that has just been shown gets the focus soon after.
    WaitUntil(
        [this] {
            QWidget* focus = QApplication::focusWidget();
            QWidget* expected = Dialog() ? Dialog() : MainWidget();
            return focus && expected && focus->window() == expected;
        },
        "the innermost window has the keyboard focus");
    Do([key, modifiers] {
        QWidget* target = QApplication::focusWidget();
        ASSERT_NE(target, nullptr) << "no widget has the keyboard focus";
        QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
    });
}

void QtSession::Tick() {
    std::function<void()> action;
    switch (Take(action)) {
    case testing_support::StepScript::Next::Over:
    case testing_support::StepScript::Next::TimedOut:
        if (running_) {
            running_ = false;
            backend.EndSession();
        }
        return;
    case testing_support::StepScript::Next::Waiting:
        QTimer::singleShot(5, &context_, [this] { Tick(); });
        return;
    case testing_support::StepScript::Next::Ready:
        // Scheduled before the action runs: an action that opens a modal loop does not return
        // until that loop ends, and the script goes on inside it.
        QTimer::singleShot(1, &context_, [this] { Tick(); });
        if (action) {
            action();
        }
        return;
    }
}

void QtSession::Run() {
    running_ = true;
    QTimer::singleShot(0, &context_, [this] { Tick(); });
    theApp.InitInstance();
    running_ = false;
    EXPECT_EQ(Left(), 0u) << "the program ended with steps of the script left";
    Clear();
}

CLumivexDlg& QtSession::Main() {
    return *dynamic_cast<CLumivexDlg*>(AfxGetMainWnd());
}

QWidget* QtSession::MainWidget() const {
    return backend.Widget(Main().m_hWnd);
}

QWidget* QtSession::Dialog() const {
    HWND w = windowing::ActiveModalWindow();
    if (!w || !AfxGetMainWnd() || w == Main().m_hWnd) {
        return nullptr;
    }
    return backend.Widget(w);
}

QWidget* QtSession::Control(int id) const {
    HWND w = windowing::ActiveModalWindow();
    return w ? backend.Widget(w->Child(id)) : nullptr;
}

gdi::Surface QtSession::Screen() const {
    // The window's backing store is the image the window system shows, in device pixels.
    // (Grabbing the window would do on most platforms, but the offscreen one hands back only
    // the window's logical size of it when Qt scales.)
    QWidget* widget = MainWidget();
    QBackingStore* store = widget ? widget->backingStore() : nullptr;
    QPaintDevice* device = store ? store->paintDevice() : nullptr;
    if (!device || device->devType() != QInternal::Image) {
        return gdi::Surface();
    }
    const QImage image = static_cast<QImage*>(device)->convertToFormat(QImage::Format_RGB32);
    gdi::Surface s(image.width(), image.height());
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            s.Set(x, y, row[x] & 0xFFFFFFu);
        }
    }
    return s;
}

bool QtSession::ScreenShows(int x, int y, std::uint32_t value) const {
    if (!MainWidget() || !MainWidget()->isVisible()) {
        return false;
    }
    const gdi::Surface shown = Screen();
    return x < shown.Width() && y < shown.Height() && shown.At(x, y) == value;
}

} // namespace qt_testing
