#pragma once
// What the native layer's files share: the system's headers and a few helpers. Included only
// by files of src/platform/win32/native.

// The system's headers in their wide-character (UTF-16) form.
#ifndef UNICODE
#define UNICODE
#endif
#include <windows.h>

#include "platform/win32/native/native.h"

namespace win32native {

// The backend's events; null before Initialise and after Shutdown.
Events* CurrentEvents();
bool RegisterWindowClasses();
// A top-level window of the program (surface or dialog).
bool IsProgramWindow(HWND window);
void ReleaseDialogFonts();

inline Rect FromRect(const RECT& r) {
    return Rect{r.left, r.top, r.right, r.bottom};
}

inline RECT ToRect(const Rect& r) {
    return RECT{r.left, r.top, r.right, r.bottom};
}

inline HWND ToWindow(Handle h) {
    return static_cast<HWND>(h);
}

} // namespace win32native
