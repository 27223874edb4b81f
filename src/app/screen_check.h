#pragma once
// Comparing a frame the program drew with what the screen shows, pixel for pixel.

#include "platform/gdi/surface.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct PixelDifference {
    int x = 0; // on the monitor
    int y = 0;
    std::optional<std::uint32_t> drawn; // none: the pixel lies outside the program's window
    std::uint32_t shown = 0;
};

struct ScreenComparison {
    std::uint64_t differing = 0; // pixels
    std::uint64_t total = 0;
    std::vector<PixelDifference> first; // the first few, row by row

    bool Exact() const { return differing == 0; }
};

// shown: the monitor's pixels as the window system holds them. drawn: the frame of the window
// whose client area starts at (left, top) on the monitor. Every pixel of the monitor is
// compared: those outside the window differ whatever they show.
ScreenComparison CompareWithScreen(const gdi::Surface& shown, const gdi::Surface& drawn, int left,
                                   int top, std::size_t keep = 4);

// "exact", or "1234 of 2073600 pixels differ: (10, 20) drawn #808080 shown #7f7f7f, ...".
std::string DescribeComparison(const ScreenComparison& comparison);
