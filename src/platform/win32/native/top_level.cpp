// Top-level windows: the surface window and dialogs.
//
//   Window procedures     what both kinds handle alike, then each kind's own messages
//   Classes and creation  the two window classes, creating and destroying
//   Showing               show states at the window layer's rectangles, activation, enabling
//   Pixels and icons      invalidation, presenting the surface, icons from the program's pixels
//   System menu and more  the system menu, dragging by the mouse, hot keys

#include "platform/win32/native/win32.h"

#include "platform/base/wide_string.h"

#include <set>

namespace win32native {

namespace {

constexpr wchar_t kSurfaceClass[] = L"LumivexSurface";
constexpr wchar_t kDialogClass[] = L"LumivexDialog";
constexpr int kAppIconId = 128;

constexpr DWORD kSurfaceStyle =
    WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kSurfaceExStyle = WS_EX_APPWINDOW;
constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kDialogExStyle = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;

// Windows whose show state the backend is applying: the intermediate moves and sizes on the
// way are not the user's.
std::set<HWND>& Applying() {
    static std::set<HWND> windows;
    return windows;
}

class ApplyingGuard {
  public:
    explicit ApplyingGuard(HWND w) : w_(w) { Applying().insert(w); }
    ~ApplyingGuard() { Applying().erase(w_); }
    ApplyingGuard(const ApplyingGuard&) = delete;
    ApplyingGuard& operator=(const ApplyingGuard&) = delete;

  private:
    HWND w_;
};

// --- Window procedures --------------------------------------------------------------------------

// Close, minimise, maximise, restore and the program's own items are the program's to decide;
// moving, sizing and the menu keys the system carries out.
bool ProgramDecides(WPARAM command) {
    const WPARAM c = command & 0xFFF0;
    return c < 0xF000 || c == SC_CLOSE || c == SC_MINIMIZE || c == SC_MAXIMIZE || c == SC_RESTORE;
}

void ReportGeometry(HWND w) {
    Events* events = CurrentEvents();
    if (!events || Applying().count(w) || !IsWindowVisible(w) || IsIconic(w)) {
        return;
    }
    const Rect client = ClientArea(w);
    events->Moved(w, client.left, client.top);
    events->Resized(w, client.right - client.left, client.bottom - client.top);
}

void PresentTo(HDC dc, const Pixels& pixels, RECT area) {
    const RECT bounds{0, 0, pixels.width, pixels.height};
    if (!pixels.data || !IntersectRect(&area, &area, &bounds)) {
        return;
    }
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    // The rows of the area as a top-down bitmap of their own: no question which way up the
    // source coordinates count.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = pixels.width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    const std::uint32_t* rows = pixels.data + static_cast<std::size_t>(area.top) * pixels.width;
    SetDIBitsToDevice(dc, area.left, area.top, static_cast<DWORD>(width),
                      static_cast<DWORD>(height), area.left, 0, 0, static_cast<UINT>(height), rows,
                      &info, DIB_RGB_COLORS);
}

// What both kinds of top-level window do alike; false when the kind's own handling applies.
bool CommonMessage(HWND w, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    Events* events = CurrentEvents();
    if (!events) {
        return false;
    }
    result = 0;
    switch (message) {
    case WM_SYSCOMMAND:
        if (!ProgramDecides(wParam)) {
            return false;
        }
        events->SystemCommand(w, static_cast<unsigned>(wParam));
        return true;
    case WM_CLOSE:
        // The close box, Alt+F4 elsewhere, the task manager: the program's close command.
        events->SystemCommand(w, SC_CLOSE);
        return true;
    case WM_HOTKEY:
        events->HotKey(w, Message{message, wParam, lParam});
        return true;
    case WM_WINDOWPOSCHANGED:
        result = DefWindowProcW(w, message, wParam, lParam);
        ReportGeometry(w);
        return true;
    case WM_ACTIVATE:
        result = DefWindowProcW(w, message, wParam, lParam);
        if (LOWORD(wParam) != WA_INACTIVE) {
            events->Activated(w);
        }
        return true;
    case WM_QUERYENDSESSION:
        result = TRUE;
        return true;
    case WM_ENDSESSION:
        if (wParam) {
            events->EndSession();
        }
        return true;
    case WM_DISPLAYCHANGE:
        events->DisplayChanged();
        return true;
    case WM_DPICHANGED:
        // Device pixels stay device pixels: the window keeps the place the program gave it.
        return true;
    default:
        return false;
    }
}

LRESULT CALLBACK SurfaceProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (CommonMessage(w, message, wParam, lParam, result)) {
        return result;
    }
    Events* events = CurrentEvents();
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(w, &ps);
        if (events && !IsRectEmpty(&ps.rcPaint)) {
            events->Paint(w, FromRect(ps.rcPaint));
            PresentTo(dc, events->SurfacePixels(w), ps.rcPaint);
        }
        EndPaint(w, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1; // every pixel comes from the surface
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
        if (events) {
            events->Input(w, Message{message, wParam, lParam});
        }
        return 0;
    default:
        return DefWindowProcW(w, message, wParam, lParam);
    }
}

LRESULT CALLBACK DialogProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (CommonMessage(w, message, wParam, lParam, result)) {
        return result;
    }
    Events* events = CurrentEvents();
    if (message == WM_COMMAND && lParam != 0 && events) {
        const auto control = reinterpret_cast<HWND>(lParam);
        switch (HIWORD(wParam)) {
        case BN_CLICKED:
        case BN_DOUBLECLICKED: // the second click of a double click
            events->ControlClicked(control);
            break;
        case BN_SETFOCUS:
            events->ControlFocused(control);
            break;
        default:
            break;
        }
        return 0;
    }
    return DefWindowProcW(w, message, wParam, lParam);
}

HICON AppIcon(int size) {
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kAppIconId),
                                         IMAGE_ICON, size, size, LR_SHARED));
}

RECT WindowRectFor(HWND w, const Rect& client) {
    RECT r = ToRect(client);
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(w, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(w, GWL_EXSTYLE));
    AdjustWindowRectExForDpi(&r, style, FALSE, exStyle, GetDpiForWindow(w));
    return r;
}

} // namespace

// --- Classes and creation -----------------------------------------------------------------------

bool RegisterWindowClasses() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW surface{};
    surface.cbSize = sizeof(surface);
    surface.style = CS_DBLCLKS;
    surface.lpfnWndProc = SurfaceProc;
    surface.hInstance = instance;
    surface.hIcon = AppIcon(GetSystemMetrics(SM_CXICON));
    surface.hIconSm = AppIcon(GetSystemMetrics(SM_CXSMICON));
    surface.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    surface.lpszClassName = kSurfaceClass;
    WNDCLASSEXW dialog = surface;
    dialog.lpfnWndProc = DialogProc;
    dialog.hbrBackground = GetSysColorBrush(COLOR_3DFACE);
    dialog.lpszClassName = kDialogClass;
    return RegisterClassExW(&surface) != 0 && RegisterClassExW(&dialog) != 0;
}

bool IsProgramWindow(HWND window) {
    wchar_t name[32] = {};
    if (!window || !GetClassNameW(window, name, 32)) {
        return false;
    }
    return std::wstring_view(name) == kSurfaceClass || std::wstring_view(name) == kDialogClass;
}

Handle CreateSurfaceWindow(const std::string& title) {
    return CreateWindowExW(kSurfaceExStyle, kSurfaceClass, base::WideText(title).c_str(),
                           kSurfaceStyle, 0, 0, 0, 0, nullptr, nullptr, GetModuleHandleW(nullptr),
                           nullptr);
}

Handle CreateDialogWindow(const std::string& title, Handle owner) {
    return CreateWindowExW(kDialogExStyle, kDialogClass, base::WideText(title).c_str(),
                           kDialogStyle, 0, 0, 0, 0, ToWindow(owner), nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

void DestroyWindow(Handle window) {
    Applying().erase(ToWindow(window));
    ::DestroyWindow(ToWindow(window));
}

// --- Showing -------------------------------------------------------------------------------------

void SetTitle(Handle window, const std::string& text) {
    SetWindowTextW(ToWindow(window), base::WideText(text).c_str());
}

void Show(Handle window, ShowMode mode, const Rect& clientRect, bool activate) {
    HWND w = ToWindow(window);
    ApplyingGuard applying(w);
    switch (mode) {
    case ShowMode::Hidden:
        ShowWindow(w, SW_HIDE);
        return;
    case ShowMode::Minimized:
        ShowWindow(w, activate ? SW_SHOWMINIMIZED : SW_SHOWMINNOACTIVE);
        return;
    case ShowMode::Maximized:
        ShowWindow(w, activate ? SW_SHOWMAXIMIZED : SW_MAXIMIZE);
        break;
    case ShowMode::Normal:
        if (IsZoomed(w) || IsIconic(w)) {
            ShowWindow(w, SW_SHOWNOACTIVATE);
        }
        break;
    }
    // The system's own idea of a maximised window (the work area, borders beyond the screen)
    // gives way to the rectangle the window layer asks for.
    const RECT r = WindowRectFor(w, clientRect);
    SetWindowPos(w, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    if (mode == ShowMode::Normal) {
        ShowWindow(w, activate ? SW_SHOW : SW_SHOWNA);
    }
    if (activate) {
        Activate(window);
    }
}

Rect ClientArea(Handle window) {
    HWND w = ToWindow(window);
    RECT r{};
    GetClientRect(w, &r);
    POINT origin{0, 0};
    ClientToScreen(w, &origin);
    return Rect{origin.x, origin.y, origin.x + r.right, origin.y + r.bottom};
}

bool IsMinimized(Handle window) {
    return IsIconic(ToWindow(window));
}

void Enable(Handle window, bool enabled) {
    if (static_cast<bool>(IsWindowEnabled(ToWindow(window))) != enabled) {
        EnableWindow(ToWindow(window), enabled ? TRUE : FALSE);
    }
}

void Activate(Handle window) {
    HWND w = ToWindow(window);
    SetForegroundWindow(w);
    SetActiveWindow(w);
}

bool IsForeground(Handle window) {
    return GetForegroundWindow() == ToWindow(window);
}

// --- Pixels and icons ----------------------------------------------------------------------------

void Invalidate(Handle window, const Rect& area) {
    const RECT r = ToRect(area);
    InvalidateRect(ToWindow(window), &r, FALSE);
}

void Present(Handle window, const Pixels& pixels, const Rect& area) {
    HWND w = ToWindow(window);
    if (!IsWindowVisible(w) || IsIconic(w)) {
        return;
    }
    if (HDC dc = GetDC(w)) {
        PresentTo(dc, pixels, ToRect(area));
        ReleaseDC(w, dc);
    }
}

IconHandle CreateIcon(int size, const std::uint32_t* pixels, const std::uint8_t* mask) {
    if (size <= 0 || !pixels || !mask) {
        return nullptr;
    }
    BITMAPV5HEADER header{};
    header.bV5Size = sizeof(header);
    header.bV5Width = size;
    header.bV5Height = -size;
    header.bV5Planes = 1;
    header.bV5BitCount = 32;
    header.bV5Compression = BI_BITFIELDS;
    header.bV5RedMask = 0x00FF0000;
    header.bV5GreenMask = 0x0000FF00;
    header.bV5BlueMask = 0x000000FF;
    header.bV5AlphaMask = 0xFF000000;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP color = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS,
                                     &bits, nullptr, 0);
    ReleaseDC(nullptr, screen);
    if (!color || !bits) {
        return nullptr;
    }
    const std::size_t n = static_cast<std::size_t>(size) * size;
    auto* out = static_cast<std::uint32_t*>(bits);
    // The AND mask: one bit per pixel, rows padded to 16 bits, 1 where the icon is transparent.
    const int maskPitch = ((size + 15) / 16) * 2;
    std::vector<BYTE> andMask(static_cast<std::size_t>(maskPitch) * size, 0);
    for (std::size_t i = 0; i < n; ++i) {
        const bool clear = mask[i] != 0;
        out[i] = clear ? 0u : (0xFF000000u | (pixels[i] & 0x00FFFFFFu));
        if (clear) {
            const std::size_t x = i % size, y = i / size;
            andMask[y * maskPitch + x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
        }
    }
    HBITMAP maskBitmap = CreateBitmap(size, size, 1, 1, andMask.data());
    ICONINFO info{TRUE, 0, 0, maskBitmap, color};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(maskBitmap);
    DeleteObject(color);
    return icon;
}

void DestroyIcon(IconHandle icon) {
    if (icon) {
        ::DestroyIcon(static_cast<HICON>(icon));
    }
}

void SetIcons(Handle window, IconHandle big, IconHandle small) {
    SendMessageW(ToWindow(window), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    SendMessageW(ToWindow(window), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
}

// --- System menu and more ------------------------------------------------------------------------

void ShowSystemMenu(Handle window, const std::vector<MenuItem>& programItems, ShowMode mode) {
    HWND w = ToWindow(window);
    GetSystemMenu(w, TRUE); // back to the system's own items
    HMENU menu = GetSystemMenu(w, FALSE);
    if (!menu) {
        return;
    }
    for (const MenuItem& item : programItems) {
        if (item.separator) {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        } else {
            AppendMenuW(menu, MF_STRING, item.command, base::WideText(item.text).c_str());
        }
    }
    // The states the system gives the items for the window's state.
    const bool sizable = (GetWindowLongPtrW(w, GWL_STYLE) & WS_THICKFRAME) != 0;
    auto enable = [menu](UINT command, bool on) {
        EnableMenuItem(menu, command, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
    };
    enable(SC_RESTORE, mode != ShowMode::Normal);
    enable(SC_MOVE, mode == ShowMode::Normal);
    enable(SC_SIZE, mode == ShowMode::Normal && sizable);
    enable(SC_MINIMIZE, mode != ShowMode::Minimized);
    enable(SC_MAXIMIZE, mode != ShowMode::Maximized);
    SetMenuDefaultItem(menu, SC_CLOSE, FALSE);
    POINT at{0, 0};
    ClientToScreen(w, &at);
    SetForegroundWindow(w);
    const UINT command = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, at.x,
                       at.y, 0, w, nullptr));
    PostMessageW(w, WM_NULL, 0, 0); // the menu's documented farewell
    if (command != 0) {
        PostMessageW(w, WM_SYSCOMMAND, command, 0);
    }
}

void BeginMoveDrag(Handle window) {
    HWND w = ToWindow(window);
    if (GetKeyState(VK_LBUTTON) >= 0) {
        return; // the button is already up: nothing to drag with
    }
    POINT cursor{};
    GetCursorPos(&cursor);
    ReleaseCapture();
    SendMessageW(w, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(cursor.x, cursor.y));
}

bool RegisterHotKey(Handle window, int id, unsigned modifiers, unsigned vk) {
    return ::RegisterHotKey(ToWindow(window), id, modifiers, vk);
}

bool UnregisterHotKey(Handle window, int id) {
    return ::UnregisterHotKey(ToWindow(window), id);
}

} // namespace win32native
