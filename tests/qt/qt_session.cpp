#include "qt/qt_session.h"

#include "platform/windowing/window_manager.h"

#include <QApplication>
#include <QBackingStore>
#include <QCoreApplication>
#include <QImage>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <fstream>
#include <unistd.h>

namespace qt_testing {

namespace {

constexpr auto kStepTimeout = std::chrono::seconds(10);

std::filesystem::path MakeDir() {
    static int counter = 0;
    auto dir = std::filesystem::temp_directory_path() /
               ("lumivex-qt-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(dir);
    return dir;
}

} // namespace

QtSession::QtSession() : dir_(MakeDir()), backend((dir_ / "lumivex").string()) {
    theApp.SetBackend(&backend);
}

QtSession::~QtSession() {
    theApp.Windows().startMonitor.reset();
    theApp.SetBackend(nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
}

void QtSession::Do(std::function<void()> step) {
    steps_.push_back(Step{nullptr, std::move(step), {}});
}

void QtSession::WaitUntil(std::function<bool()> condition, std::string what) {
    steps_.push_back(Step{std::move(condition), nullptr, std::move(what)});
}

void QtSession::WaitUntilShown() {
    WaitUntil([this] { return MainWidget() && MainWidget()->isVisible(); }, "shown");
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
    if (steps_.empty()) {
        if (running_) {
            running_ = false;
            backend.EndSession();
        }
        return;
    }
    Step& step = steps_.front();
    if (step.ready && !step.ready()) {
        const auto now = std::chrono::steady_clock::now();
        if (!waiting_) {
            waiting_ = true;
            waitingSince_ = now;
        }
        if (now - waitingSince_ > kStepTimeout) {
            ADD_FAILURE() << "timed out waiting until " << step.what;
            steps_.clear();
            running_ = false;
            backend.EndSession();
            return;
        }
        QTimer::singleShot(5, &context_, [this] { Tick(); });
        return;
    }
    waiting_ = false;
    std::function<void()> action = std::move(step.action);
    steps_.pop_front();
    // Scheduled before the action runs: an action that opens a modal loop does not return
    // until that loop ends, and the script goes on inside it.
    QTimer::singleShot(1, &context_, [this] { Tick(); });
    if (action) {
        action();
    }
}

void QtSession::Run() {
    running_ = true;
    QTimer::singleShot(0, &context_, [this] { Tick(); });
    theApp.InitInstance();
    running_ = false;
    EXPECT_TRUE(steps_.empty()) << "the program ended with " << steps_.size()
                                << " steps of the script left";
    steps_.clear();
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

std::vector<std::uint8_t> QtSession::ReadSettings() const {
    std::ifstream in(SettingsPath(), std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

} // namespace qt_testing
