#include "win32/win32_session.h"

#include "platform/windowing/window_manager.h"
#include "win32/native_driver.h"

#include <gtest/gtest.h>

namespace win32_testing {

Win32Session::Win32Session() : ProgramFolder("win32-test"), backend(ModulePath("lumivex.exe")) {
    theApp.SetBackend(&backend);
}

Win32Session::~Win32Session() {
    theApp.SetBackend(nullptr);
}

void Win32Session::Key(UINT vk, bool system) {
    Do([this, vk, system] {
        void* target = Dialog() ? Dialog() : MainWindow();
        ASSERT_NE(target, nullptr) << "no window for a key";
        win32test::PostKey(target, vk, system);
    });
}

void Win32Session::Tick() {
    if (!running_) {
        return;
    }
    std::function<void()> action;
    switch (Take(action)) {
    case testing_support::StepScript::Next::Over:
        // The script is over: close whatever is open, innermost first.
        if (void* dialog = Dialog()) {
            win32test::PostClose(dialog);
        } else if (void* main = MainWindow()) {
            win32test::PostClose(main);
        }
        return;
    case testing_support::StepScript::Next::Waiting:
    case testing_support::StepScript::Next::TimedOut:
        return;
    case testing_support::StepScript::Next::Ready:
        if (action) {
            action(); // may open a modal loop, inside which the ticks go on
        }
        return;
    }
}

void Win32Session::Run() {
    running_ = true;
    win32test::Ticker ticker([this] { Tick(); });
    theApp.InitInstance();
    running_ = false;
    EXPECT_EQ(Left(), 0u) << "steps of the script did not run";
}

CLumivexDlg& Win32Session::Main() {
    return *dynamic_cast<CLumivexDlg*>(AfxGetMainWnd());
}

void* Win32Session::MainWindow() const {
    CWnd* main = AfxGetMainWnd();
    return main ? backend.NativeWindow(main->m_hWnd) : nullptr;
}

void* Win32Session::Dialog() const {
    windowing::Window* modal = windowing::ActiveModalWindow();
    CWnd* main = AfxGetMainWnd();
    if (!modal || (main && modal == main->m_hWnd)) {
        return nullptr;
    }
    return backend.NativeWindow(modal);
}

void* Win32Session::Control(int id) const {
    windowing::Window* modal = windowing::ActiveModalWindow();
    return modal ? backend.NativeWindow(modal->Child(id)) : nullptr;
}

gdi::Surface Win32Session::Screen() const {
    const win32test::Capture c = win32test::CaptureClient(MainWindow());
    gdi::Surface s(c.width, c.height, 0);
    for (int y = 0; y < c.height; ++y) {
        std::copy_n(c.pixels.data() + static_cast<std::size_t>(y) * c.width, c.width, s.Row(y));
    }
    return s;
}

} // namespace win32_testing
