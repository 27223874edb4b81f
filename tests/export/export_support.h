#pragma once
// What the tests of --export, the imported TG18 images and --verify share: the command run as
// main runs it, on a headless window system, and the frames the program shows in a given state,
// made the way a key press makes them.

#include "app/command_line.h"
#include "app/export_command.h"
#include "platform/headless/headless_backend.h"
#include "support/session.h"

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace export_test {

namespace fs = std::filesystem;

struct Outcome {
    std::optional<int> code;
    std::string out, err;
};

// lumivex ARGS... with exports drawn on a headless window system whose executable lives at
// modulePath (empty: unknown, as main gives it).
inline Outcome RunExportCommand(const std::vector<std::string>& args, bool progressBar = false,
                                const std::string& modulePath = {}) {
    std::vector<const char*> argv{"lumivex"};
    for (const std::string& a : args) {
        argv.push_back(a.c_str());
    }
    ExportEnvironment environment;
    environment.makeBackend = [modulePath](SIZE monitor) -> std::unique_ptr<windowing::Backend> {
        return std::make_unique<headless::Backend>(monitor, modulePath);
    };
    environment.progressBar = progressBar;
    std::ostringstream out, err;
    Outcome o;
    o.code = HandleCommandLine(static_cast<int>(argv.size()), argv.data(), out, err, &environment);
    o.out = out.str();
    o.err = err.str();
    return o;
}

// The frame a screen of width x height shows for pattern id once the keys have set the state.
inline gdi::Surface StateFrame(int width, int height, int id, int gray, bool labels, int steps) {
    testing_support::Session s(width, height);
    gdi::Surface frame;
    s.backend.Run([&] {
        testing_support::Session::Main().SetStateForTest(gray, labels ? TRUE : FALSE,
                                                         static_cast<std::uint8_t>(id), steps);
    });
    s.backend.KeyDown(VK_SHIFT); // any key but Enter redraws the current pattern
    s.backend.Run([&] { frame = s.Screen(); });
    s.Run();
    return frame;
}

// The start screen as the program first shows it on a screen of width x height.
inline gdi::Surface StartFrame(int width, int height) {
    testing_support::Session s(width, height);
    gdi::Surface frame;
    s.backend.Run([&] { frame = s.Screen(); });
    s.Run();
    return frame;
}

} // namespace export_test
