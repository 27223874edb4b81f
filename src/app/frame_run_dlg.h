#pragma once
// The main test window run by the program itself instead of by the operator: it shows the start
// screen, then a series of patterns, each drawn exactly as a key press draws it, and hands every
// frame to Examine while it is on the screen. --export and --verify are such runs.
//
// The settings file is read as at any start (the operator's playlist) but never written: the
// run leaves the position and the selection as they were. The operator's keys and clicks are
// ignored while it runs, except Escape, which ends it.

#include "app/lumivex_dlg.h"

#include <cstddef>
#include <optional>
#include <vector>

class CFrameRunDlg : public CLumivexDlg {
  public:
    // One frame of the run: a pattern in a state, or the start screen.
    struct Shot {
        std::optional<int> pattern; // none: the start screen, which can only be the first shot
        int grayLevel = 0;
        bool labelsOn = true;
        int stepCount = 128;
    };

    enum class Verdict {
        Next,  // go on with the next shot
        Again, // look at this shot again once the window system has had its turn
        Stop,  // end the run here
    };

    CFrameRunDlg() = default;

    int LoadSaveSettings(int save) override;
    BOOL PreTranslateMessage(MSG* msg) override;

    // Runs the shots with this window as the program's main window (a command-line run has no
    // other); returns when the run is over.
    void Run();

    // True once every shot has been examined; false when the run stopped early or the window
    // was closed.
    bool Completed() const { return completed_; }

  protected:
    // The shots, asked for once the window shows the start screen, when the playlist is built.
    virtual std::vector<Shot> Plan() = 0;
    // shot is on the screen; drawn is the frame as the program drew it into the client area.
    virtual Verdict Examine(const Shot& shot, const gdi::Surface& drawn) = 0;

    void OnPaint();
    LRESULT OnNextShot(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

  private:
    // Draws a pattern shot as the keys would; false when the pattern is not in the playlist.
    bool Show(const Shot& shot);

    std::vector<Shot> shots_;
    std::size_t next_ = 0;
    bool started_ = false;
    bool shown_ = false; // the next shot is drawn and waits for another look
    bool completed_ = false;
};
