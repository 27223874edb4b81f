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

using testing_support::Session;

struct State {
    int gray = 0;
    bool labels = true;
    int steps = 128;
};

// The frame and the DC state the pattern left behind.
struct Drawn {
    gdi::Surface frame;
    COLORREF textColor;
    int bkMode;
};

inline Drawn Draw(CLumivexDlg& main, int id, State state = {}) {
    CRect client;
    main.GetClientRect(&client);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&dc, client.Width(), client.Height());
    CBitmap* old = dc.SelectObject(&bitmap);
    main.SetStateForTest(state.gray, state.labels ? TRUE : FALSE, static_cast<std::uint8_t>(id),
                         state.steps);
    main.DrawCurrentPattern(&dc);
    Drawn d{testing_support::PixelsOf(bitmap), dc.GetTextColor(), dc.GetBkMode()};
    dc.SelectObject(old);
    return d;
}

// Runs body(main window) in a program session on a screen of width x height.
template <class Body> void InWindow(int width, int height, Body body) {
    Session s(width, height);
    s.backend.Run([&] { body(Session::Main()); });
    s.Run();
}

// One frame of pattern id on a fresh screen of width x height.
inline Drawn DrawOn(int width, int height, int id, State state = {}) {
    Drawn d;
    InWindow(width, height, [&](CLumivexDlg& main) { d = Draw(main, id, state); });
    return d;
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
