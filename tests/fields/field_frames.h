#pragma once
// Field patterns drawn through the dispatcher into a fresh memory DC of the client size, with
// the window state set as the keys would have left it, plus checks for value labels.

#include "support/pixels.h"
#include "support/session.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace fields_test {

using testing_support::Drawn;
using testing_support::InWindow;
using testing_support::Session;

struct State {
    int gray = 0;
    bool labels = true;
    int steps = 128;
};

// Pattern id drawn with the window state set as the keys would have left it.
inline Drawn Draw(CLumivexDlg& main, int id, State state = {}) {
    main.SetStateForTest(state.gray, state.labels ? TRUE : FALSE, static_cast<std::uint8_t>(id),
                         state.steps);
    return testing_support::DrawCurrentPattern(main);
}

// One frame of pattern id on a fresh screen of width x height.
inline Drawn DrawOn(int width, int height, int id, State state = {}) {
    Drawn d;
    InWindow(width, height, [&](CLumivexDlg& main) { d = Draw(main, id, state); });
    return d;
}

// The level (the low byte) and the first column of each run of row y, over the columns before
// end.
struct Steps {
    std::vector<int> levels, starts;
};
inline Steps StepsOf(const gdi::Surface& s, int y, int end) {
    Steps out;
    testing_support::ForEachRun(
        0, end - 1, [&](int x) { return s.At(x, y); },
        [&](std::uint32_t v, int first, int) {
            out.levels.push_back(static_cast<int>(v & 0xFF));
            out.starts.push_back(first);
        });
    return out;
}

// Size of a text in the stock font of a fresh memory DC, as the routines measure it.
inline SIZE Measure(const std::string& text) {
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    SIZE size{0, 0};
    ::GetTextExtentPoint32A(dc.m_hAttribDC, text.data(), static_cast<int>(text.size()), &size);
    return size;
}

// A line of text whose cell has its top-left corner at (x, y).
struct TextLine {
    std::string text;
    int x;
    int y;
};

// Checks that labelled differs from bare only by text: every pixel that differs lies in the
// cell of one of the lines and is the ink (the stock font is drawn one-bit), and each line
// whose cell is on screen changes some pixel. Glyph shapes are left to the text tests.
void ExpectOnlyText(const gdi::Surface& labelled, const gdi::Surface& bare, COLORREF ink,
                    const std::vector<TextLine>& lines);

// The three lines of the value label of an area filled with color.
std::vector<TextLine> ValueLabel(RECT area, COLORREF color);

} // namespace fields_test
