#pragma once
// The monitor options: --list-screens prints the monitors the window system reports, --screen
// N|NAME starts the program on one of them. Both need the window system, so they are handled
// once the backend runs, unlike the options of command_line.h.

#include "platform/windowing/monitors.h"

#include <iosfwd>
#include <optional>
#include <vector>

// One line per monitor under a heading: index, name, device-pixel geometry, scale, primary.
void ListMonitors(const std::vector<windowing::Monitor>& monitors, std::ostream& out);

// The monitor that --screen names: an index as --list-screens prints it, or a name.
std::optional<windowing::Monitor> FindScreen(const std::vector<windowing::Monitor>& monitors,
                                             const std::string& which);

// Carries out --list-screens, or checks --screen and makes its monitor the one the program
// starts on. Returns the exit code when the program should end instead of starting (0 after
// the list, 2 for an unknown monitor or a missing value), nothing when it should start.
std::optional<int> ApplyScreenOptions(int argc, const char* const* argv, std::ostream& out,
                                      std::ostream& err);
