#pragma once
// A small built-in bitmap font for the labels of the generated pictures: 5 x 7 capitals and
// digits, lower case with a one-row descender. Each dot becomes a scale x scale block; bold
// widens every block by that many pixels to the right and downwards. Keeping the font here
// makes the pictures independent of whatever fonts a machine has.

#include "res/gray_image.h"

#include <cstdint>
#include <string_view>

namespace res {

struct TextStyle {
    int scale = 1;
    int bold = 0;
};

// Horizontal distance from one character's left edge to the next one's.
int Advance(TextStyle style);
// Width of the inked run of the text, from the first character's left edge to the last one's
// right edge.
int TextWidth(std::string_view text, TextStyle style);
// Height of a capital: the top row of the text to the baseline.
int CapHeight(TextStyle style);
bool HasGlyph(char c);

// Draws text with the top of its capitals at row y. Characters without a glyph draw nothing but
// keep their place.
void DrawText(GrayImage& image, int x, int y, std::string_view text, TextStyle style,
              std::uint8_t value);
// Draws text centred between the inclusive columns left and right.
void DrawTextCentred(GrayImage& image, int left, int right, int y, std::string_view text,
                     TextStyle style, std::uint8_t value);

} // namespace res
