#pragma once
// The options of --export, read and checked.

#include "imageio/image_writers.h"

#include <filesystem>
#include <iosfwd>
#include <optional>

struct ExportOptions {
    enum class Subject { Pattern, StartScreen, Everything };
    Subject subject = Subject::Pattern;
    int pattern = 0; // for Subject::Pattern
    int width = 0;
    int height = 0;
    std::filesystem::path output; // a file, or the folder of an export of everything
    int grayLevel = 0;
    int stepCount = 128;
    bool labelsOn = true;
    imageio::ImageFormat format = imageio::ImageFormat::Png; // of an export of everything
};

// The step counts the keys can set: 128 halved or doubled by Page Up and Page Down.
bool IsReachableStepCount(int steps);

// Reads the export options from the command line. Reports the first problem on err and returns
// nothing when an option is unknown, missing or out of range, or the output's type is not one
// this build writes.
std::optional<ExportOptions> ParseExportOptions(int argc, const char* const* argv,
                                                std::ostream& err);
