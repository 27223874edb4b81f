#pragma once
// A whole program run on the Qt backend (offscreen platform): a script of steps that run one
// after another from inside the program's own event loops, real Qt input events, and the
// screen as the window system holds it.

#include "app/lumivex_app.h"
#include "app/lumivex_dlg.h"
#include "platform/gdi/surface.h"
#include "platform/qt/qt_backend.h"
#include "support/program_folder.h"
#include "support/step_script.h"

#include <QImage>
#include <QObject>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

class QMenu;
class QWidget;

namespace qt_testing {

class QtSession : public testing_support::ProgramFolder, public testing_support::StepScript {
  public:
    QtSession();
    ~QtSession();

    // Script (Do, WaitUntil): a step runs when the one before it has run (or started a modal
    // loop). Waits until the main window, or a dialog above it, is shown; until no dialog is open.
    void WaitUntilShown();
    // Alt+Space, then waits for the main window's system menu to be open.
    void OpenSystemMenu();
    void WaitUntilDialogShown(std::string what = "the dialog is open");
    void WaitUntilDialogClosed(std::string what = "the dialog is closed");
    // A key click on the widget that has the keyboard focus, as the window system delivers it.
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

    // Runs the program. When the script is over and the program still runs, the session ends
    // as the window system would end it.
    void Run();
    // Ends the script with Escape, which ends the program, and runs it.
    void EscapeAndRun() {
        Key(Qt::Key_Escape);
        Run();
    }

    static CLumivexDlg& Main();
    QWidget* MainWidget() const;
    // The top-level widget of the innermost modal dialog above the main window, if any.
    QWidget* Dialog() const;
    // The open pop-up menu, or null.
    static QMenu* OpenMenu();
    QWidget* Control(int id) const;
    // The main window's pixels as the window system shows them, in device pixels.
    gdi::Surface Screen() const;
    // Whether the screen has been shown and has this pixel value at (x, y).
    bool ScreenShows(int x, int y, std::uint32_t value) const;

  private:
    void Tick();

    QObject context_; // pending script timers die with the session
    bool running_ = false;

  public:
    qtbackend::Backend backend;
};

} // namespace qt_testing
