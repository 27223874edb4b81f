#pragma once
// A whole program run on the Windows backend (under Wine in the tests): a script of steps that
// run one after another from inside the program's own message loops, input posted to the real
// windows, and the screen as the window system shows it.

#include "app/lumivex_app.h"
#include "app/lumivex_dlg.h"
#include "platform/gdi/surface.h"
#include "platform/win32/win32_backend.h"
#include "support/program_folder.h"
#include "support/step_script.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace win32_testing {

class Win32Session : public testing_support::ProgramFolder, public testing_support::StepScript {
  public:
    Win32Session();
    ~Win32Session();

    // Script (Do, WaitUntil): a step runs once the program has handled everything the steps
    // before it caused.
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

  private:
    void Tick();

    bool running_ = false;

  public:
    win32backend::Backend backend;
};

} // namespace win32_testing
