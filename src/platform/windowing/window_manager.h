#pragma once
// The window manager: creation and destruction of windows, showing, invalidation and painting,
// message delivery and default message handling (window_manager.cpp); the dialog manager's focus
// and keyboard interface (dialog_manager.cpp).

#include "platform/windowing/backend.h"
#include "platform/windowing/wnd.h"

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace windowing {

struct WindowSet {
    std::vector<std::unique_ptr<Window>> topLevel;
    std::vector<Window*> modalStack; // innermost last
    // The monitor the program was asked to start on: windows without an owner appear there.
    std::optional<Monitor> startMonitor;
};

// Windows created from now on without an owner appear on this monitor instead of the primary.
void SetStartMonitor(const Monitor& monitor);

Window* CreateDialogWindow(CWnd* wnd, const DialogTemplate& t, Window* owner);
void DestroyWindowObject(Window* w);
bool IsLive(const Window* w);

// Tells the backend that the state of w changed.
void Notify(Window* w);
LRESULT SendMessageTo(Window* w, UINT message, WPARAM wParam, LPARAM lParam);
// Closes the modal windows, innermost first, as the system's close command would; one that stays
// open is ended with IDABORT and handed to forced (whose backend then ends its loop).
void CloseModalWindows(const std::function<void(Window*)>& forced);
LRESULT DefaultWindowProc(Window* w, UINT message, WPARAM wParam, LPARAM lParam);
void Invalidate(Window* w, const RECT* rect);
BOOL ShowWindow(Window* w, int cmdShow);
// Sets where w returns when restored (normal: its client rectangle in screen coordinates) and
// shows it with cmdShow; SW_SHOWMAXIMIZED maximises it over the monitor that holds most of that
// rectangle, also when it is maximised elsewhere already.
BOOL SetPlacement(Window* w, const RECT& normal, int cmdShow);
// The dialog manager: keyboard navigation and the default commands of a dialog.
BOOL IsDialogMessage(Window* dialog, MSG* msg);

} // namespace windowing
