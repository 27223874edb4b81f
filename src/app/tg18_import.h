#pragma once
// The AAPM's own TG18-QC, TG18-AFC and TG18-AD images in place of the built-in look-alikes.
//
// The images come from the folder --tg18-dir names, else from the default folder below. Each
// one found replaces the bitmap resource the pattern draws (14: 130 and 135, 15: 133 and 137,
// 16: 129 and 136), so it is stretched over the client area exactly as the built-in image is,
// by the same rule: the portrait resource only on a portrait screen wider than 2000 pixels.
// A square image replaces the square resource, and the portrait one too when no portrait image
// is given; a portrait image replaces only the portrait resource.

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>

// The value of an environment variable, or none when it is not set.
using EnvironmentLookup = std::function<std::optional<std::string>(const char* name)>;
std::optional<std::string> ProcessEnvironment(const char* name);

// Where the operator keeps the images when no --tg18-dir is given: $XDG_DATA_HOME/lumivex/tg18,
// or ~/.local/share/lumivex/tg18 when XDG_DATA_HOME is unset, empty or not absolute; on Windows
// %APPDATA%\Lumivex\tg18. None when the environment names no home.
std::optional<std::filesystem::path>
DefaultTg18Folder(const EnvironmentLookup& environment = ProcessEnvironment);

// Reads the images in folder and makes them, and only them, the bitmaps of patterns 14-16. Every
// file that is tied to one of the three but cannot be used is reported on err with its path and the
// reason; its pattern keeps the built-in image. A folder that does not exist is no error unless the
// operator named it (named); a folder that cannot be read is reported, and an error when named.
// Returns false for an error.
bool UseTg18Folder(const std::filesystem::path& folder, bool named, std::ostream& err);

// Carries out --tg18-dir DIR, or looks in the default folder without it. Returns the exit code
// when the program must end (2: no value, or the named folder is missing or unreadable), nothing
// when it goes on.
std::optional<int> ImportTg18Images(int argc, const char* const* argv, std::ostream& err);
