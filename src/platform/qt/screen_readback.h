#pragma once
// Reading back what the X server holds for a part of the screen: the pixels of the root window
// there, which are those of whichever window covers them, read from the server itself rather
// than from Qt's copy of a window. Also what the server does to those pixels on their way to
// the monitors: a CRTC's gamma ramp that is not the identity, or a scaling transform.

#include "platform/windowing/backend.h"

namespace qtbackend {

// area: device pixels of the virtual screen, which on X11 are the root window's coordinates.
windowing::ScreenPixels ReadBackScreen(const RECT& area);

} // namespace qtbackend
