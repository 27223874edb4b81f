#include "win32/win32_session.h"

#include "platform/windowing/window_manager.h"
#include "win32/native_driver.h"

#include <gtest/gtest.h>

#include <fstream>

namespace win32_testing {

namespace {

std::filesystem::path MakeDir() {
    static int counter = 0;
    auto dir = std::filesystem::temp_directory_path() /
               ("lumivex-win32-test-" + std::to_string(counter++));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

std::string Utf8(const std::filesystem::path& p) {
    const std::u8string s = p.u8string();
    return std::string(s.begin(), s.end());
}

} // namespace

Win32Session::Win32Session() : dir_(MakeDir()), backend(Utf8(dir_ / "lumivex.exe")) {
    theApp.SetBackend(&backend);
}

Win32Session::~Win32Session() {
    theApp.SetBackend(nullptr);
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
}

void Win32Session::Do(std::function<void()> step) {
    steps_.push_back(Step{nullptr, std::move(step), {}});
}

void Win32Session::WaitUntil(std::function<bool()> condition, std::string what) {
    steps_.push_back(Step{std::move(condition), nullptr, std::move(what)});
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
    if (steps_.empty()) {
        // The script is over: close whatever is open, innermost first.
        if (void* dialog = Dialog()) {
            win32test::PostClose(dialog);
        } else if (void* main = MainWindow()) {
            win32test::PostClose(main);
        }
        return;
    }
    Step& step = steps_.front();
    if (step.ready) {
        const auto now = std::chrono::steady_clock::now();
        if (!waiting_) {
            waiting_ = true;
            waitingSince_ = now;
        }
        if (!step.ready()) {
            if (now - waitingSince_ > std::chrono::seconds(10)) {
                ADD_FAILURE() << "timed out waiting until " << step.what;
                steps_.clear();
            }
            return;
        }
        waiting_ = false;
        steps_.pop_front();
        return;
    }
    auto action = std::move(step.action);
    steps_.pop_front();
    action(); // may open a modal loop, inside which the ticks go on
}

void Win32Session::Run() {
    running_ = true;
    win32test::Ticker ticker([this] { Tick(); });
    theApp.InitInstance();
    running_ = false;
    EXPECT_TRUE(steps_.empty()) << steps_.size() << " steps did not run";
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

std::vector<std::uint8_t> Win32Session::ReadSettings() const {
    std::ifstream in(SettingsPath(), std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

} // namespace win32_testing
