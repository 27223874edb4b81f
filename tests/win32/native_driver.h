#pragma once
// The test's own hands on the native windows of the program under test: posting input as the
// system delivers it, reading back what the screen and the controls show. Standard types only,
// like the backend's native layer.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace win32test {

// Calls tick from the program's message loop whenever nothing else is waiting there (no posted
// message, no input, no paint), every few milliseconds.
class Ticker {
  public:
    explicit Ticker(std::function<void()> tick);
    ~Ticker();
    Ticker(const Ticker&) = delete;
    Ticker& operator=(const Ticker&) = delete;

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// A key press and release posted to a window (the one with the keyboard focus in it, when it has
// one); system keys come as WM_SYSKEYDOWN / WM_SYSKEYUP, as with Alt held.
void PostKey(void* window, unsigned vk, bool system = false);
// The system's close request (WM_CLOSE), as from the task manager.
void PostClose(void* window);
void PostSystemCommand(void* window, unsigned command);
// A click on a button, as the user makes it.
void Click(void* control);

struct Capture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels; // 0x00RRGGBB, rows top-down
};
// What the screen shows of the window's client area.
Capture CaptureClient(void* window);

struct Box {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};
Box ClientOnScreen(void* window);
bool IsEnabled(void* window);
bool IsVisible(void* window);
void* Focus();
void* Foreground();
std::string Title(void* window);
// Child windows in creation order.
std::vector<void*> Children(void* window);
bool IsChecked(void* control);
bool HasIcon(void* staticControl);
std::string FontFace(void* control);
std::vector<std::string> SystemMenuTexts(void* window);
void* OpenMenuOwner();
void CloseMenus();
// Whether this thread can take a hot key, i.e. nobody holds it.
bool HotKeyFree(unsigned modifiers, unsigned vk);

// A scalable face as GDI measures it at one pixel per font unit (the em as the height).
struct UnitMetrics {
    int unitsPerEm = 0;
    int cellUnits = 0;         // ascent + descent
    std::vector<int> advances; // characters 0..255
};
UnitMetrics MeasureInFontUnits(const std::string& face);
std::string ExecutablePath();

} // namespace win32test
