#pragma once
// Where the labels of the labelled patterns stand, and where their ink lies in a frame.

#include "field_frames.h"

#include <string>
#include <vector>

namespace fields_test {

// One labelled frame: the pattern, the window state and the screen size.
struct LabelledFrame {
    int id;
    int gray;
    int steps;
    int width;
    int height;
};

// The lines of text a labelled frame carries, each with the top-left corner of its cell.
std::vector<TextLine> LabelLines(const LabelledFrame& f);

// The frames every labelled pattern is checked in: patterns 13, 20-31, 33 and 34 with light
// and dark text, at 1920 x 1080 and at the odd size 1023 x 767.
std::vector<LabelledFrame> LabelledFrames();

// The smallest rectangle holding every pixel of cell that differs between labelled and bare;
// empty when none does.
RECT InkBox(const gdi::Surface& labelled, const gdi::Surface& bare, const RECT& cell);

// The cell of a line: its top-left corner and its measured extent.
RECT CellOf(const TextLine& line);

} // namespace fields_test
