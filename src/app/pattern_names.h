#pragma once
// Names of the patterns for files and reports: plain ASCII and the same in every language,
// unlike the selection dialog's labels.

#include <string>

// A file name stem: "07-pixel-checker", "14-tg18-qc"; "start" for the start screen (id -1).
std::string PatternFileStem(int id);

// A short English title: "Pixel checkerboard", "TG18-QC"; "Start screen" for id -1.
std::string PatternTitle(int id);
