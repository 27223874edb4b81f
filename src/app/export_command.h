#pragma once
// --export: the frames the program shows, as image files. Each frame is drawn by the program
// itself, its main window on an in-memory window system of one monitor of the requested size,
// with the state set as the keys set it and the pattern drawn as a key press draws it: pixel for
// pixel what the screen shows at that size.
//
//   --export PATTERN|start|all --size WxH -o FILE|DIR
//            [--gray N] [--steps N] [--labels on|off] [--format png|dcm|bmp] [--tg18-dir DIR]

#include "platform/windowing/backend.h"

#include <functional>
#include <iosfwd>
#include <memory>

// The window system an export draws on: one monitor of the given size, and no executable path,
// so that no settings file is read or written.
using OffscreenBackendFactory = std::function<std::unique_ptr<windowing::Backend>(SIZE monitor)>;

struct ExportEnvironment {
    OffscreenBackendFactory makeBackend;
    bool progressBar = false; // err is a terminal: show how far an export of everything has got
};

// True when the command line asks for an export.
bool WantsExport(int argc, const char* const* argv);

// Carries out the export the command line describes. Returns the exit code: 0 when every file
// is written, 2 for bad arguments (reported on err before anything is drawn or written), 1 when
// a file could not be written (no partial file is left).
int RunExport(int argc, const char* const* argv, const ExportEnvironment& environment,
              std::ostream& out, std::ostream& err);
