#pragma once
// When the X server goes away, Qt's X11 plugin ends the process on the spot (exit or abort,
// depending on the Qt release), past the program's shut-down and its settings. This watches Qt's
// messages for that moment and ends the program itself: the windows hear that the session ends
// (the main window saves its settings), a sentence on standard error says what happened, and the
// process exits with kDisplayLostExitCode instead of dumping core.

namespace qtbackend {

inline constexpr int kDisplayLostExitCode = 1;

// Installs the watch; call once, before the QApplication exists so that a display that cannot
// be opened at all is reported the same way.
void WatchForDisplayLoss();

} // namespace qtbackend
