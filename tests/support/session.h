#pragma once
// A whole program run on the headless backend: script the input, run, look at the frames.

#include "app/lumivex_app.h"
#include "app/lumivex_dlg.h"
#include "platform/headless/headless_backend.h"
#include "platform/windowing/window_manager.h"
#include "support/memory_frame.h"
#include "support/program_folder.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace testing_support {

class Session : public ProgramFolder {
  public:
    explicit Session(int width = 1920, int height = 1080)
        : ProgramFolder("test"), backend(SIZE{width, height}, ModulePath("lumivex")) {
        theApp.SetBackend(&backend);
    }
    explicit Session(std::vector<windowing::Monitor> monitors)
        : ProgramFolder("test"), backend(std::move(monitors), ModulePath("lumivex")) {
        theApp.SetBackend(&backend);
    }
    ~Session() {
        theApp.Windows().startMonitor.reset();
        theApp.SetBackend(nullptr);
    }

    // Runs the program until the script is over or it ends by itself.
    void Run() { theApp.InitInstance(); }

    static CLumivexDlg& Main() { return *dynamic_cast<CLumivexDlg*>(AfxGetMainWnd()); }
    const gdi::Surface& Screen() { return *backend.Screen(Main().m_hWnd); }

    headless::Backend backend;
};

// Runs body(main window) in a program session on a screen of width x height.
template <class Body> void InWindow(int width, int height, Body body) {
    Session s(width, height);
    s.backend.Run([&] { body(Session::Main()); });
    s.Run();
}

// The frame the program shows for pattern id on a screen of width x height (labels on, gray
// level 0, step count 128), painted by a redraw the way a key press paints it.
inline gdi::Surface PatternFrame(int width, int height, int id) {
    Session s(width, height);
    gdi::Surface frame;
    s.backend.Run(
        [&] { Session::Main().SetStateForTest(0, TRUE, static_cast<std::uint8_t>(id), 128); });
    s.backend.KeyDown(VK_SHIFT); // any key but Enter redraws the current pattern
    s.backend.Run([&] { frame = s.Screen(); });
    s.Run();
    return frame;
}

// The current pattern drawn as the window's paint draws it: into a fresh memory DC of the client
// size.
inline Drawn DrawCurrentPattern(CLumivexDlg& main) {
    CRect client;
    main.GetClientRect(&client);
    return DrawInto(client.Width(), client.Height(), [&](CDC* dc) { main.DrawCurrentPattern(dc); });
}

// Settings file content: position byte, length byte 43, then the selection characters.
inline std::vector<std::uint8_t> SettingsBytes(std::uint8_t position, const std::string& sel) {
    std::string bytes;
    bytes += static_cast<char>(position);
    bytes += static_cast<char>(sel.size());
    bytes += sel;
    return {bytes.begin(), bytes.end()};
}

} // namespace testing_support
