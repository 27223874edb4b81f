#pragma once
// The Win32 side of the Windows backend: real windows, controls, the message loop and the other
// USER32 and GDI32 calls the backend makes. Standard types only: the implementation includes
// <windows.h>, whose names (RECT, MSG, BOOL, WM_..., VK_...) must not meet the window layer's
// own. Messages cross this boundary as their numbers, which are the platform's on both sides.
//
//   Types and events        what the native windows report to the backend
//   Process                 start-up, the message loop, posted work, module, keys, monitors
//   Windows                 top-level windows: create, show, present, icons, menus, hot keys
//   Controls                buttons and statics of a dialog

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace win32native {

// --- Types and events ---------------------------------------------------------------------------

using Handle = void*;     // HWND
using IconHandle = void*; // HICON

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

struct Message {
    unsigned message = 0;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
};

// Pixels to show: 0x00RRGGBB, rows top-down, width * height values.
struct Pixels {
    const std::uint32_t* data = nullptr;
    int width = 0;
    int height = 0;
};

struct Monitor {
    std::string name; // the display device, e.g. \\.\DISPLAY1
    Rect rect;        // device pixels of the virtual screen
    double scale = 1.0;
    bool primary = false;
};

// What the native windows tell the backend; all on the thread that runs the message loop.
class Events {
  public:
    virtual ~Events() = default;
    // Keyboard input of any of the program's windows (wherever in it the focus is) and mouse
    // input of a surface window, unchanged. top: the top-level window it belongs to.
    virtual void Input(Handle top, const Message& m) = 0;
    // The system asks for area of a surface window to be repainted; the backend has it painted
    // and then Paint returns, after which the area is copied from SurfacePixels.
    virtual void Paint(Handle top, const Rect& area) = 0;
    virtual Pixels SurfacePixels(Handle top) = 0;
    // A system command the program decides on: close, minimise, maximise, restore and the
    // program's own menu items. The rest (move, size, ...) the system carries out itself.
    virtual void SystemCommand(Handle top, unsigned command) = 0;
    // A top-level window became the active one.
    virtual void Activated(Handle top) = 0;
    virtual void ControlClicked(Handle control) = 0;
    virtual void ControlFocused(Handle control) = 0;
    // The client area moved (screen coordinates) or changed its size, by the user's hand or
    // the system's.
    virtual void Moved(Handle top, int left, int top_) = 0;
    virtual void Resized(Handle top, int width, int height) = 0;
    virtual void HotKey(Handle top, const Message& m) = 0;
    // Work posted with PostWork is due.
    virtual void WorkDue() = 0;
    // Windows is ending the session: whatever must be saved is saved before this returns.
    virtual void EndSession() = 0;
    // The monitors may have changed (WM_DISPLAYCHANGE). Each top-level window hears it, so one
    // change can come several times.
    virtual void DisplayChanged() = 0;
};

// --- Process ------------------------------------------------------------------------------------

// Registers the window classes and the message window; events must outlive Shutdown.
bool Initialise(Events& events);
void Shutdown();
// Per-monitor DPI awareness (v2) for a process whose manifest did not declare it.
void DeclareDpiAwareness();

// Handles messages until done() holds; returns false when the message loop was told to quit.
bool RunMessagesUntil(const std::function<bool()>& done);
// Makes a waiting RunMessagesUntil look at done() again.
void WakeMessageLoop();
// One WorkDue event per call, in order, from the message loop.
void PostWork();

std::string ModulePath();
// The command line split as the C runtime splits it, in UTF-8.
std::vector<std::string> CommandLineArguments();
// Standard output and error go to the console of the process that started this one, when
// they lead nowhere else (a program for the window system gets none of its own).
void AttachParentConsole();
// The user's interface language as a locale name ("zh-CN", "de-DE"); empty when the system
// names none.
std::string UserUiLocale();
// Whether a key is down as of the message being handled.
bool IsKeyDown(unsigned vk);
std::vector<Monitor> Monitors();

// --- Windows ------------------------------------------------------------------------------------

enum class ShowMode { Hidden, Normal, Maximized, Minimized };

// The program's own drawing surface: a caption-less popup (the main test window).
Handle CreateSurfaceWindow(const std::string& title);
// A dialog: caption, close box and a modal frame, owned by owner (which it stays above).
Handle CreateDialogWindow(const std::string& title, Handle owner);
void DestroyWindow(Handle window);

void SetTitle(Handle window, const std::string& text);
// Shows a top-level window as asked, with its client area exactly at clientRect (device
// pixels, screen coordinates) unless it is hidden or minimised.
void Show(Handle window, ShowMode mode, const Rect& clientRect, bool activate);
// The client area in screen coordinates, as the system has it now.
Rect ClientArea(Handle window);
bool IsMinimized(Handle window);
void Enable(Handle window, bool enabled);
void Activate(Handle window);
bool IsForeground(Handle window);

// The area of a surface window needs a system paint.
void Invalidate(Handle window, const Rect& area);
// Copies area of pixels to the same place of the window's client area now.
void Present(Handle window, const Pixels& pixels, const Rect& area);

IconHandle CreateIcon(int size, const std::uint32_t* pixels, const std::uint8_t* mask);
void DestroyIcon(IconHandle icon);
void SetIcons(Handle window, IconHandle big, IconHandle small);

struct MenuItem {
    bool separator = false;
    unsigned command = 0;
    std::string text;
};
// Shows the window's system menu, with the program's items after the system's own, at the
// client area's top-left corner. The command chosen reaches the window as the system's menus
// send it: the program's decisions as Events::SystemCommand, the rest carried out.
void ShowSystemMenu(Handle window, const std::vector<MenuItem>& programItems, ShowMode mode);
// Lets the user drag the window with the mouse, as by a title bar, if the left button is down.
void BeginMoveDrag(Handle window);

bool RegisterHotKey(Handle window, int id, unsigned modifiers, unsigned vk);
bool UnregisterHotKey(Handle window, int id);

// --- Controls -----------------------------------------------------------------------------------

enum class ControlKind { CheckBox, PushButton, DefaultPushButton, Text, Icon };

struct DialogFont {
    std::string face; // the template's
    int pointSize = 9;
    int weight = 0;
    bool italic = false;
};

// The font a dialog's controls use: the template's face when it can show Chinese, else the
// platform's Chinese user-interface font. Kept until Shutdown.
void* FontForDialog(const DialogFont& font);
// The face a dialog font resolved to, for reports.
std::string FontFace(void* font);

Handle CreateControl(Handle dialog, ControlKind kind, int id, bool prefixes, void* font);
// Brings a control up to date with the window layer's state.
void UpdateControl(Handle control, const std::string& text, int check, const Rect& rect,
                   bool visible, bool enabled);
void SetControlIcon(Handle control, IconHandle icon);
void FocusControl(Handle control);
// Shows focus rectangles in the dialog from the start: the operator steers with the keyboard.
void ShowKeyboardCues(Handle dialog);

} // namespace win32native
