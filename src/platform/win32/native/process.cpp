// The process side of the native layer: window classes, the message loop that hands keyboard
// input to the window layer, posted work, the module's path, key state and the monitors.

#include "platform/win32/native/native.h"
#include "platform/win32/native/win32.h"

#include "platform/base/wide_string.h"

#include <commctrl.h>
#include <cstdio>
#include <shellapi.h>
#include <shellscalingapi.h>

namespace win32native {

namespace {

constexpr UINT kWorkMessage = WM_APP + 1;

// The window procedures and loops are the system's callbacks: they find the backend here.
struct ProcessState {
    Events* events = nullptr;
    HWND messageWindow = nullptr;
};

ProcessState& State() {
    static ProcessState state;
    return state;
}

LRESULT CALLBACK MessageWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kWorkMessage) {
        if (Events* events = CurrentEvents()) {
            events->WorkDue();
        }
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    auto* out = reinterpret_cast<std::vector<Monitor>*>(data);
    MONITORINFOEXW info{};
    info.cbSize = sizeof(info);
    if (!GetMonitorInfoW(monitor, &info)) {
        return TRUE;
    }
    UINT dpiX = 96, dpiY = 96;
    if (FAILED(GetDpiForMonitor(monitor, MDT_EFFECTIVE_DPI, &dpiX, &dpiY)) || dpiX == 0) {
        dpiX = 96;
    }
    out->push_back(Monitor{base::Utf8FromWide(info.szDevice), FromRect(info.rcMonitor), dpiX / 96.0,
                           (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
    return TRUE;
}

} // namespace

Events* CurrentEvents() {
    return State().events;
}

bool Initialise(Events& events) {
    State().events = &events;
    // The controls of the common-controls library the manifest asks for (themed on Windows).
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    if (!RegisterWindowClasses()) {
        return false;
    }
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = MessageWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"LumivexMessages";
    RegisterClassExW(&wc);
    State().messageWindow = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                            nullptr, wc.hInstance, nullptr);
    return State().messageWindow != nullptr;
}

void Shutdown() {
    if (State().messageWindow) {
        ::DestroyWindow(State().messageWindow);
        State().messageWindow = nullptr;
    }
    ReleaseDialogFonts();
    State().events = nullptr;
}

void DeclareDpiAwareness() {
    // Fails harmlessly when the manifest has already declared it.
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
}

bool RunMessagesUntil(const std::function<bool()>& done) {
    MSG msg{};
    while (!done()) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            // Every loop up the stack must see the quit too.
            PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        if (got < 0) {
            return false;
        }
        // Keys go to the window layer, wherever the focus is in one of the program's windows:
        // its dialog manager, not the controls, carries out Tab, Space, Enter and Escape.
        if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST && msg.hwnd) {
            HWND top = GetAncestor(msg.hwnd, GA_ROOT);
            if (IsProgramWindow(top)) {
                // Characters for the plain keys only: the system keys' characters would reach
                // the system menu as mnemonics.
                if (msg.message == WM_KEYDOWN) {
                    TranslateMessage(&msg);
                }
                if (Events* events = CurrentEvents()) {
                    events->Input(top, Message{msg.message, msg.wParam, msg.lParam});
                }
                continue;
            }
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return true;
}

void WakeMessageLoop() {
    if (State().messageWindow) {
        PostMessageW(State().messageWindow, WM_NULL, 0, 0);
    }
}

void PostWork() {
    if (State().messageWindow) {
        PostMessageW(State().messageWindow, kWorkMessage, 0, 0);
    }
}

std::string ModulePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) {
            return {};
        }
        if (n < path.size()) {
            path.resize(n);
            return base::Utf8FromWide(path);
        }
        path.resize(path.size() * 2); // a long path: try again with room for it
    }
}

std::vector<std::string> CommandLineArguments() {
    std::vector<std::string> out;
    int count = 0;
    if (LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count)) {
        for (int i = 0; i < count; ++i) {
            out.push_back(base::Utf8FromWide(args[i]));
        }
        LocalFree(args);
    }
    return out;
}

std::string UserUiLocale() {
    wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
    const LCID language = MAKELCID(GetUserDefaultUILanguage(), SORT_DEFAULT);
    if (LCIDToLocaleName(language, name, LOCALE_NAME_MAX_LENGTH, 0) == 0) {
        return {};
    }
    return base::Utf8FromWide(name);
}

void AttachParentConsole() {
    auto leadsNowhere = [](DWORD which) {
        const HANDLE h = GetStdHandle(which);
        return h == nullptr || h == INVALID_HANDLE_VALUE;
    };
    const bool output = leadsNowhere(STD_OUTPUT_HANDLE);
    const bool error = leadsNowhere(STD_ERROR_HANDLE);
    // Redirected to a file or a pipe: the streams already lead there.
    if ((!output && !error) || !AttachConsole(ATTACH_PARENT_PROCESS)) {
        return;
    }
    if (output) {
        std::freopen("CONOUT$", "w", stdout);
    }
    if (error) {
        std::freopen("CONOUT$", "w", stderr);
    }
}

bool IsKeyDown(unsigned vk) {
    return GetKeyState(static_cast<int>(vk)) < 0;
}

std::vector<Monitor> Monitors() {
    std::vector<Monitor> out;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&out));
    return out;
}

} // namespace win32native
