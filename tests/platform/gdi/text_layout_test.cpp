// Properties of DrawText's line breaking over many random texts and widths.

#include "platform/gdi/text.h"
#include "platform/gdi/text_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

namespace {

constexpr UINT kFormat = DT_CENTER | DT_WORDBREAK | DT_EDITCONTROL;

// Every line fits unless it is a single character (or empty); the lines and the dropped spaces give
// back the text; a line that was wrapped at a space could not have taken the next word as well; a
// word broken inside is broken after as many characters as fit.
TEST(TextLayout, LinesFitRebuildTheTextAndTakeAllThatFits) {
    const auto face = gdi::Typeface::For(gdi::FontRequest{"Arial", 14, FW_NORMAL, false});
    std::mt19937 random(1688);
    const std::string alphabet = "nnnniiilmW      \t";
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
            const gdi::TextLine line = gdi::NextLine(text, pos, width, kFormat, *face);
            const std::string_view body(text.data() + line.begin, line.end - line.begin);
            ASSERT_EQ(line.begin, pos);
            ASSERT_GT(line.next, pos);
            ASSERT_EQ(line.width, face->Extent(body));
            ASSERT_TRUE(line.width <= std::max(width, 0) || body.size() == 1)
                << text << " / " << width;
            rebuilt += body;
            if (line.next == line.end + 1) {
                ASSERT_EQ(text[line.end], ' ');
                rebuilt += ' ';
                std::size_t wordEnd = text.find(' ', line.next);
                wordEnd = wordEnd == std::string::npos ? text.size() : wordEnd;
                EXPECT_GT(face->Extent(std::string_view(text).substr(pos, wordEnd - pos)), width)
                    << text << " / " << width;
            } else if (line.next < text.size()) {
                ASSERT_EQ(line.next, line.end);
                const std::string_view more(text.data() + pos, body.size() + 1);
                EXPECT_TRUE(face->Extent(more) > width) << text << " / " << width;
            }
            pos = line.next;
        }
        ASSERT_EQ(rebuilt, text);
    }
}

TEST(TextLayout, WithoutEditControlALongWordStaysWholeAndWithoutWordBreakNothingWraps) {
    const auto face = gdi::Typeface::For(gdi::FontRequest{"Arial", 14, FW_NORMAL, false});
    const std::string text = "nn nnnnnnnnnnnnnnnnnnnn nn";
    const int width = face->Extent("nnnnn");
    gdi::TextLine first = gdi::NextLine(text, 0, width, DT_CENTER | DT_WORDBREAK, *face);
    EXPECT_EQ(text.substr(first.begin, first.end - first.begin), "nn");
    gdi::TextLine second = gdi::NextLine(text, first.next, width, DT_CENTER | DT_WORDBREAK, *face);
    EXPECT_EQ(text.substr(second.begin, second.end - second.begin), std::string(20, 'n'));
    EXPECT_EQ(second.next, 24u);
    gdi::TextLine whole = gdi::NextLine(text, 0, width, DT_CENTER, *face);
    EXPECT_EQ(whole.end, text.size());
}

} // namespace
