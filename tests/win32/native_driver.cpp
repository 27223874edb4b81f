#include "win32/native_driver.h"

#include "platform/base/wide_string.h"

#include <windows.h>

namespace win32test {

namespace {

constexpr UINT_PTR kTimer = 1;

LRESULT CALLBACK TickerProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER && wParam == kTimer) {
        auto* tick = reinterpret_cast<std::function<void()>*>(GetWindowLongPtrW(w, GWLP_USERDATA));
        if (tick) {
            (*tick)();
        }
        return 0;
    }
    return DefWindowProcW(w, message, wParam, lParam);
}

HWND ToWindow(void* w) {
    return static_cast<HWND>(w);
}

std::string WindowText(HWND w) {
    const int n = GetWindowTextLengthW(w);
    std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
    GetWindowTextW(w, text.data(), n + 1);
    text.resize(static_cast<std::size_t>(n));
    return base::Utf8FromWide(text);
}

BOOL CALLBACK AddChild(HWND child, LPARAM data) {
    reinterpret_cast<std::vector<void*>*>(data)->push_back(child);
    return TRUE;
}

} // namespace

// Timer messages come after everything else in the queue: a tick sees the program settled.
struct Ticker::Impl {
    std::function<void()> tick;
    HWND window = nullptr;
};

Ticker::Ticker(std::function<void()> tick) : impl_(std::make_unique<Impl>()) {
    impl_->tick = std::move(tick);
    WNDCLASSW wc{};
    wc.lpfnWndProc = TickerProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"LumivexTestTicker";
    RegisterClassW(&wc);
    impl_->window = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                    wc.hInstance, nullptr);
    SetWindowLongPtrW(impl_->window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&impl_->tick));
    SetTimer(impl_->window, kTimer, 5, nullptr);
}

Ticker::~Ticker() {
    KillTimer(impl_->window, kTimer);
    DestroyWindow(impl_->window);
}

void PostKey(void* window, unsigned vk, bool system) {
    HWND target = GetFocus();
    if (!target || GetAncestor(target, GA_ROOT) != ToWindow(window)) {
        target = ToWindow(window);
    }
    const UINT down = system ? WM_SYSKEYDOWN : WM_KEYDOWN;
    const UINT up = system ? WM_SYSKEYUP : WM_KEYUP;
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)) << 16;
    const LPARAM alt = system ? (1 << 29) : 0;
    PostMessageW(target, down, vk, 1 | scan | alt);
    PostMessageW(target, up, vk, static_cast<LPARAM>(1 | scan | alt | (1u << 30) | (1u << 31)));
}

void PostClose(void* window) {
    PostMessageW(ToWindow(window), WM_CLOSE, 0, 0);
}

void PostSystemCommand(void* window, unsigned command) {
    PostMessageW(ToWindow(window), WM_SYSCOMMAND, command, 0);
}

void Click(void* control) {
    SendMessageW(ToWindow(control), BM_CLICK, 0, 0);
}

Capture CaptureClient(void* window) {
    HWND w = ToWindow(window);
    RECT r{};
    GetClientRect(w, &r);
    Capture c;
    c.width = r.right;
    c.height = r.bottom;
    if (c.width <= 0 || c.height <= 0) {
        return c;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = c.width;
    info.bmiHeader.biHeight = -c.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(w);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, c.width, c.height, screen, 0, 0, SRCCOPY);
    GdiFlush();
    const auto* p = static_cast<const std::uint32_t*>(bits);
    c.pixels.assign(p, p + static_cast<std::size_t>(c.width) * c.height);
    for (std::uint32_t& v : c.pixels) {
        v &= 0x00FFFFFF;
    }
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(w, screen);
    return c;
}

Box ClientOnScreen(void* window) {
    RECT r{};
    GetClientRect(ToWindow(window), &r);
    POINT origin{0, 0};
    ClientToScreen(ToWindow(window), &origin);
    return Box{origin.x, origin.y, origin.x + r.right, origin.y + r.bottom};
}

bool IsEnabled(void* window) {
    return IsWindowEnabled(ToWindow(window));
}

bool IsVisible(void* window) {
    return IsWindowVisible(ToWindow(window));
}

void* Focus() {
    return GetFocus();
}

void* Foreground() {
    return GetForegroundWindow();
}

std::string Title(void* window) {
    return WindowText(ToWindow(window));
}

std::vector<void*> Children(void* window) {
    std::vector<void*> out;
    EnumChildWindows(ToWindow(window), AddChild, reinterpret_cast<LPARAM>(&out));
    return out;
}

bool IsChecked(void* control) {
    return SendMessageW(ToWindow(control), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool HasIcon(void* staticControl) {
    return SendMessageW(ToWindow(staticControl), STM_GETICON, 0, 0) != 0;
}

std::string FontFace(void* control) {
    auto font = reinterpret_cast<HFONT>(SendMessageW(ToWindow(control), WM_GETFONT, 0, 0));
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, font ? font : GetStockObject(SYSTEM_FONT));
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, face);
    SelectObject(dc, previous);
    DeleteDC(dc);
    return base::Utf8FromWide(face);
}

std::vector<std::string> SystemMenuTexts(void* window) {
    std::vector<std::string> out;
    HMENU menu = GetSystemMenu(ToWindow(window), FALSE);
    const int n = menu ? GetMenuItemCount(menu) : 0;
    for (int i = 0; i < n; ++i) {
        wchar_t text[128] = {};
        GetMenuStringW(menu, static_cast<UINT>(i), text, 128, MF_BYPOSITION);
        out.push_back(base::Utf8FromWide(text));
    }
    return out;
}

void* OpenMenuOwner() {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (GetGUIThreadInfo(GetCurrentThreadId(), &info) && (info.flags & GUI_INMENUMODE)) {
        return info.hwndMenuOwner;
    }
    return nullptr;
}

void CloseMenus() {
    EndMenu();
}

bool HotKeyFree(unsigned modifiers, unsigned vk) {
    constexpr int kProbe = 0xBFFF;
    if (!RegisterHotKey(nullptr, kProbe, modifiers, vk)) {
        return false;
    }
    UnregisterHotKey(nullptr, kProbe);
    return true;
}

UnitMetrics MeasureInFontUnits(const std::string& face) {
    UnitMetrics m;
    HDC dc = CreateCompatibleDC(nullptr);
    const std::wstring name = base::WideText(face);
    HFONT probe =
        CreateFontW(-100, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, name.c_str());
    HGDIOBJ previous = SelectObject(dc, probe);
    OUTLINETEXTMETRICW otm{};
    otm.otmSize = sizeof(otm);
    if (GetOutlineTextMetricsW(dc, sizeof(otm), &otm)) {
        m.unitsPerEm = static_cast<int>(otm.otmEMSquare);
    }
    SelectObject(dc, previous);
    DeleteObject(probe);
    if (m.unitsPerEm > 0) {
        HFONT units = CreateFontW(-m.unitsPerEm, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                                  0, 0, name.c_str());
        previous = SelectObject(dc, units);
        TEXTMETRICW tm{};
        GetTextMetricsW(dc, &tm);
        m.cellUnits = tm.tmAscent + tm.tmDescent;
        m.advances.resize(256);
        GetCharWidth32W(dc, 0, 255, m.advances.data());
        SelectObject(dc, previous);
        DeleteObject(units);
    }
    DeleteDC(dc);
    return m;
}

std::string ExecutablePath() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return base::Utf8FromWide(path);
}

} // namespace win32test
