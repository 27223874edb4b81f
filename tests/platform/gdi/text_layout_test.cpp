// Properties of DrawText's line breaking over many random texts and widths.

#include "platform/gdi/line_breaks.h"
#include "platform/gdi/text.h"
#include "platform/gdi/text_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

namespace {

constexpr UINT kFormat = DT_CENTER | DT_WORDBREAK | DT_EDITCONTROL;

using Breaks = std::vector<std::size_t>;

std::u16string Utf16(std::string_view latin1) {
    std::u16string units;
    for (char c : latin1) {
        units += static_cast<char16_t>(static_cast<unsigned char>(c));
    }
    return units;
}

// Every line fits unless it is a single character (or empty), and the lines and the dropped
// spaces give back the text. A line ends at a break opportunity of the text from its start on,
// and no later opportunity would have fitted as well; or, where nothing fitted up to an
// opportunity, the first character that did not fit is a space, which is dropped; or the word
// is broken after as many characters as fit.
TEST(TextLayout, LinesFitRebuildTheTextAndTakeAllThatFits) {
    const auto face = gdi::Typeface::For(gdi::FontRequest{"Arial", 14, FW_NORMAL, false});
    std::mt19937 random(1688);
    const std::string alphabet = "nnnniiilmW      \t\t-,.";
    for (int round = 0; round < 2000; ++round) {
        std::string text(std::uniform_int_distribution<int>(1, 120)(random), ' ');
        for (char& c : text) {
            c = alphabet[std::uniform_int_distribution<std::size_t>(0,
                                                                    alphabet.size() - 1)(random)];
        }
        const int width = std::uniform_int_distribution<int>(-5, 220)(random);
        std::string rebuilt;
        std::size_t pos = 0;
        while (pos < text.size()) {
            SCOPED_TRACE("\"" + text + "\" at " + std::to_string(pos) + ", width " +
                         std::to_string(width));
            const gdi::TextLine line = gdi::NextLine(text, pos, width, kFormat, *face);
            const std::string_view rest = std::string_view(text).substr(pos);
            const std::string_view body = rest.substr(0, line.end - pos);
            ASSERT_EQ(line.begin, pos);
            ASSERT_GT(line.next, pos);
            ASSERT_EQ(line.width, face->Extent(body));
            ASSERT_TRUE(line.width <= std::max(width, 0) || body.size() == 1);
            rebuilt += body;
            ASSERT_LE(line.next - line.end, 1u);
            if (line.next == line.end + 1) {
                ASSERT_EQ(text[line.end], ' ');
                rebuilt += ' ';
            }
            pos = line.next;
            if (pos >= text.size()) {
                break;
            }
            const std::size_t taken = pos - line.begin;
            const Breaks breaks = gdi::LineBreakOpportunities(Utf16(rest));
            auto fits = [&](std::size_t n) {
                return n == 0 || face->Extent(rest.substr(0, n)) <= width;
            };
            if (std::binary_search(breaks.begin(), breaks.end(), taken)) {
                for (std::size_t b : breaks) {
                    EXPECT_TRUE(b <= taken || !fits(b)) << "it could have run on to " << b;
                }
            } else if (line.next == line.end + 1) {
                EXPECT_TRUE(fits(taken - 1) && !fits(taken));
            } else {
                for (std::size_t b : breaks) {
                    EXPECT_FALSE(fits(b)) << "it could have broken at " << b;
                }
                EXPECT_TRUE((fits(taken) || taken == 1) && !fits(taken + 1));
            }
        }
        ASSERT_EQ(rebuilt, text);
    }
}

TEST(TextLayout, WithoutEditControlALongWordStaysWholeAndWithoutWordBreakNothingWraps) {
    const auto face = gdi::Typeface::For(gdi::FontRequest{"Arial", 14, FW_NORMAL, false});
    // The word runs on far past what fits, to the opportunity after it.
    const std::string word(150, 'n');
    const std::string text = "nn " + word + "-nn nn";
    const int width = face->Extent("nnnnn");
    gdi::TextLine first = gdi::NextLine(text, 0, width, DT_CENTER | DT_WORDBREAK, *face);
    EXPECT_EQ(text.substr(first.begin, first.end - first.begin), "nn");
    gdi::TextLine second = gdi::NextLine(text, first.next, width, DT_CENTER | DT_WORDBREAK, *face);
    EXPECT_EQ(text.substr(second.begin, second.end - second.begin), word + "-");
    EXPECT_EQ(second.next, 154u);
    gdi::TextLine whole = gdi::NextLine(text, 0, width, DT_CENTER, *face);
    EXPECT_EQ(whole.end, text.size());
}

} // namespace
