#pragma once
// The window objects behind HWND. The window layer owns them and keeps every piece of window
// state here; a backend mirrors this state on a real window system (or not at all).

#include "platform/gdi/surface.h"
#include "platform/windowing/dialog_template.h"
#include "platform/windowing/monitors.h"

#include <memory>
#include <string>
#include <vector>

class CWnd;
class CMenu;

struct IconData {
    int size = 0;                      // square, in pixels
    std::vector<std::uint32_t> pixels; // 0x00RRGGBB, top-down
    std::vector<std::uint8_t> mask;    // 1 = transparent
};

struct MenuData {
    struct Item {
        UINT flags = 0;
        std::uintptr_t id = 0;
        std::string text;
    };
    std::vector<Item> items;
};

namespace windowing {

enum class ShowState { Hidden, Normal, Maximized, Minimized };

struct Window {
    CWnd* wnd = nullptr;      // the framework object, for top-level windows
    Window* parent = nullptr; // for controls: the dialog
    Window* owner = nullptr;  // for dialogs: the window disabled while this one is modal
    const DialogTemplate* dialogTemplate = nullptr;

    // Controls only.
    ControlClass controlClass = ControlClass::Button;
    int id = 0;
    int check = BST_UNCHECKED;
    int iconId = 0;
    std::unique_ptr<CWnd> controlWnd; // what GetDlgItem hands out

    DWORD style = 0;
    DWORD exStyle = 0;
    std::string text;
    RECT normalRect{}; // client rectangle when restored: screen coordinates for top-level
                       // windows, parent client coordinates for controls
    ShowState show = ShowState::Hidden;
    bool enabled = true;
    // Top-level windows: the monitor a maximised window covers; otherwise the one it was on when
    // last placed, so that it keeps its place there when the monitors change.
    Monitor monitor;

    gdi::Surface surface; // the client area's pixels (top-level windows)
    RECT invalid{};       // client coordinates; empty when nothing waits for a paint

    std::vector<std::unique_ptr<Window>> children;
    int focus = -1; // index into children

    MenuData systemMenu;
    std::unique_ptr<CMenu> systemMenuWrapper;
    HICON iconBig = nullptr;
    HICON iconSmall = nullptr;

    bool modal = false;
    bool modalEnded = false;
    int modalResult = 0;

    void* peer = nullptr; // the backend's own object for this window

    bool Visible() const { return show != ShowState::Hidden; }
    // The current client rectangle in screen coordinates.
    RECT ScreenRect() const;
    Window* Child(int controlId) const;
    int ChildIndex(const Window* child) const;
};

} // namespace windowing
