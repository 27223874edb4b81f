#pragma once
// A whole program run on the Windows backend (under Wine in the tests): a script of steps that
// run one after another from inside the program's own message loops, input posted to the real
// windows, and the screen as the window system shows it.

#include "app/lumivex_app.h"
#include "app/lumivex_dlg.h"
#include "platform/gdi/surface.h"
#include "platform/win32/win32_backend.h"

#include <chrono>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace win32_testing {

class Win32Session {
  public:
    Win32Session();
    ~Win32Session();
    Win32Session(const Win32Session&) = delete;
    Win32Session& operator=(const Win32Session&) = delete;

    // Script. A step runs once the program has handled everything the steps before it caused.
    void Do(std::function<void()> step);
    void WaitUntil(std::function<bool()> condition, std::string what);
    // A key press for the innermost modal window (WM_KEYDOWN, or WM_SYSKEYDOWN with system).
    void Key(UINT vk, bool system = false);

    // Runs the program. When the script is over and the program still runs, its windows are
    // asked to close, as the system would.
    void Run();

    static CLumivexDlg& Main();
    void* MainWindow() const;
    // The innermost modal window above the main window, if any.
    void* Dialog() const;
    void* Control(int id) const;
    gdi::Surface Screen() const;

    std::filesystem::path SettingsPath() const { return dir_ / "config.set"; }
    std::vector<std::uint8_t> ReadSettings() const;

  private:
    struct Step {
        std::function<bool()> ready;
        std::function<void()> action;
        std::string what;
    };
    void Tick();

    std::filesystem::path dir_;
    std::deque<Step> steps_;
    std::chrono::steady_clock::time_point waitingSince_;
    bool waiting_ = false;
    bool running_ = false;

  public:
    win32backend::Backend backend;
};

} // namespace win32_testing
