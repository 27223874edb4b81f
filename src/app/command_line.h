#pragma once
// The program's own command-line options, handled before any window is made.

#include <iosfwd>
#include <optional>

// Carries out an option that replaces the normal run (--export-resources DIR, --help) and
// returns the exit code; returns nothing when the program should start as usual. --language
// CODE registers the resources of that language. Arguments it does not know are left to the
// window system.
std::optional<int> HandleCommandLine(int argc, const char* const* argv, std::ostream& out,
                                     std::ostream& err);
