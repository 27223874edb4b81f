#include "platform/windowing/window_manager.h"

#include <climits>
#include <cstring>
#include <string>

namespace {

// The one application object of the process registers itself here when it is constructed.
CWinApp* theApplication = nullptr;

} // namespace

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
END_MESSAGE_MAP()

CWinApp::CWinApp(const char* /*appName*/) : windows_(std::make_unique<windowing::WindowSet>()) {
    theApplication = this;
}

CWinApp::~CWinApp() {
    if (theApplication == this) {
        theApplication = nullptr;
    }
}

BOOL CWinApp::InitInstance() {
    return TRUE;
}

// The program ships no help file, so the standard help command has nothing to open.
void CWinApp::OnHelp() {}

CWinApp* AfxGetApp() {
    return theApplication;
}

CWnd* AfxGetMainWnd() {
    return theApplication ? theApplication->m_pMainWnd : nullptr;
}

// Controls of other component models are never hosted; there is nothing to set up.
void AfxEnableControlContainer() {}

BOOL RegisterHotKey(HWND hwnd, int id, UINT modifiers, UINT vk) {
    windowing::Backend* b = windowing::CurrentBackend();
    return b && hwnd && b->RegisterHotKey(hwnd, id, modifiers, vk) ? TRUE : FALSE;
}

BOOL UnregisterHotKey(HWND hwnd, int id) {
    windowing::Backend* b = windowing::CurrentBackend();
    return b && hwnd && b->UnregisterHotKey(hwnd, id) ? TRUE : FALSE;
}

int GetSystemMetrics(int index) {
    switch (index) {
    case SM_CXICON:
    case SM_CYICON:
        return 32;
    default:
        return 0;
    }
}

short GetKeyState(int vk) {
    windowing::Backend* b = windowing::CurrentBackend();
    return b && b->IsKeyDown(static_cast<UINT>(vk)) ? static_cast<short>(0x8000) : 0;
}

DWORD GetModuleFileNameA(void* /*module*/, char* buffer, DWORD size) {
    windowing::Backend* b = windowing::CurrentBackend();
    if (!buffer || size == 0) {
        return 0;
    }
    const std::string path = b ? b->ModulePath() : std::string();
    // Like the platform, a path that does not fit is cut and still terminated.
    const std::size_t n = std::min<std::size_t>(path.size(), size - 1);
    std::memcpy(buffer, path.data(), n);
    buffer[n] = '\0';
    return static_cast<DWORD>(n);
}
