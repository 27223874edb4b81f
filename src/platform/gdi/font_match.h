#pragma once
// Finding font files for the face names the program asks for, through fontconfig.

#include <string>
#include <string_view>
#include <vector>

namespace gdi {

struct FontFile {
    std::string path;
    int index = 0; // face index within the file
};

// The files to try for a face, best first: fontconfig's match for the name (fontconfig knows
// the metric-compatible stand-ins, "Arial" -> Liberation Sans), then its match for a generic
// sans face, then a few other scalable faces. Empty only when fontconfig has no fonts at all.
std::vector<FontFile> FontCandidates(std::string_view faceName, int weight, bool italic);

} // namespace gdi
