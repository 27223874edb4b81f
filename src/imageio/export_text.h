#pragma once
// The words with which an exported file says what it shows, shared by the PNG text chunks
// and the DICOM attributes.

#include "imageio/image_writers.h"

#include <string>

namespace imageio {

// Printable ASCII only: other bytes (control characters, UTF-8) become '?'.
std::string AsciiText(const std::string& text);

// "14 Test_TG18-QC", or "Start screen" for the start screen.
std::string PatternTitle(const ExportDescription& description);

// "14 Test_TG18-QC 1920x1080 gray 0 steps 128 labels on": the pattern and its state in one
// short line.
std::string PatternStateLine(const ExportDescription& description, int width, int height);

// A sentence for the reader of the file: the program, the pattern, its state and that this is
// a synthetic test image.
std::string PatternSentence(const ExportDescription& description, int width, int height);

// "Lumivex 1.0", or "Lumivex" without a version.
std::string SoftwareName(const ExportDescription& description);

} // namespace imageio
