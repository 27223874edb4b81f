#pragma once
// --verify: the pixel self-check. The program shows the start screen and each pattern of the
// playlist full screen in turn, as it does for the operator, reads back what the window system
// holds for the monitor, and compares it pixel for pixel with the frame it drew. One line per
// frame: "exact", or how many pixels differ and the first few with both values. A scaled window,
// a window that does not cover its monitor, another window in front of it and colour changes of
// the window system (a lossy pixel format, a gamma ramp) all show up as differences.
//
// The settings file is read for the playlist but not written.

#include <iosfwd>

// True when the command line asks for the check.
bool WantsVerify(int argc, const char* const* argv);

// Runs the check on the current window system. Returns the exit code: 0 when every frame is
// exact and the window system changes nothing, 1 when something differs or the check could not
// finish, 2 when this window system cannot read back the screen.
int RunVerify(std::ostream& out, std::ostream& err);
