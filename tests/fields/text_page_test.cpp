#include "field_frames.h"
#include "fields/text_page.h"
#include "platform/gdi/line_breaks.h"
#include "platform/gdi/text.h"
#include "platform/gdi/text_layout.h"
#include "support/pixels.h"
#include "support/session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using fields_test::DrawOn;

namespace {

TEST(TextPage, TheTextIsTwelveSegmentsJoinedByTwoTabs) {
    const std::string_view text = fields::TextPageText();
    EXPECT_EQ(text.size(), 796u);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\t'), 22);
    EXPECT_EQ(text.find("\t\t"), 69u);
    EXPECT_EQ(text.find('\n'), std::string_view::npos);
    EXPECT_EQ(text.back(), ' ');
    EXPECT_NE(text.find("bjut the \t\tmonitor"), std::string_view::npos); // segment 7's space
    EXPECT_EQ(text.substr(0, 19), "We all talk about o");
}

// Where a line of the text page may end: after a space, and after a run of tabs. Not inside
// the run, not after a comma or full stop that a letter follows ("computers,It", "computers.It",
// "applications,Weall", "computer,bjut"), so those stay whole words.
TEST(TextPage, TheTextBreaksAfterSpacesAndTabRunsOnly) {
    const std::string_view text = fields::TextPageText();
    const std::u16string units(text.begin(), text.end()); // ASCII
    const std::vector<std::size_t> breaks = gdi::LineBreakOpportunities(units);
    auto breaksBefore = [&](std::string_view context, std::size_t offset) {
        const std::size_t at = text.find(context);
        EXPECT_NE(at, std::string_view::npos) << context;
        return std::binary_search(breaks.begin(), breaks.end(), at + offset);
    };
    EXPECT_TRUE(breaksBefore("actually\t\tsee", 10));
    EXPECT_FALSE(breaksBefore("actually\t\tsee", 9));
    EXPECT_FALSE(breaksBefore("actually\t\tsee", 8));
    EXPECT_TRUE(breaksBefore("the \t\tmonitor", 4)); // the space of segment 7
    EXPECT_TRUE(breaksBefore("the \t\tmonitor", 6));
    EXPECT_FALSE(breaksBefore("the \t\tmonitor", 5));
    for (std::string_view word :
         {"computers.It", "computers,It", "applications,Weall", "computer,bjut", "acturall"}) {
        for (std::size_t i = 1; i < word.size(); ++i) {
            EXPECT_FALSE(breaksBefore(word, i)) << word << " at " << i;
        }
    }
    std::vector<std::size_t> expected;
    for (std::size_t i = 1; i < text.size(); ++i) {
        const bool afterSpace = text[i - 1] == ' ' && text[i] != ' ';
        const bool afterTabs = text[i - 1] == '\t' && text[i] != '\t';
        if (afterSpace || afterTabs) {
            expected.push_back(i);
        }
    }
    EXPECT_EQ(breaks, expected);
    EXPECT_EQ(breaks.size(), 136u);
}

// Everything lit lies inside the five blocks, and each block has something lit.
void ExpectTextOnlyInBlocks(const gdi::Surface& f, int d) {
    const int W = f.Width(), H = f.Height();
    const RECT blocks[5] = {{0, 0, 2 * d, 2 * d},
                            {W - 2 * d, 0, W, 2 * d},
                            {W - 2 * d, H - 2 * d, W, H},
                            {0, H - 2 * d, 2 * d, H},
                            {(2 * W) / 4 - d, (2 * H) / 4 - d, (2 * W) / 4 + d, (2 * H) / 4 + d}};
    int litInBlock[5] = {};
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            if (f.At(x, y) == 0) {
                continue;
            }
            bool inside = false;
            for (int b = 0; b < 5; ++b) {
                const RECT& r = blocks[b];
                if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) {
                    inside = true;
                    ++litInBlock[b];
                }
            }
            ASSERT_TRUE(inside) << x << "," << y;
        }
    }
    for (int b = 0; b < 5; ++b) {
        EXPECT_GT(litInBlock[b], 0) << "block " << b;
    }
}

TEST(TextPage, FiveBlocksOfWhiteTextAndTheFontRestored) {
    const testing_support::Drawn page = DrawOn(1920, 1080, 32);
    EXPECT_EQ(page.after.font, page.before.font);
    EXPECT_EQ(page.textColor, 0xFFFFFFu);
    ExpectTextOnlyInBlocks(page.frame, 100);
}

// A line of a block: its text (tabs included) and its width in pixels.
struct BlockLine {
    std::string text;
    int width;
};
using BlockLines = std::vector<BlockLine>;

// The lines of text a block 2d wide shows, by DrawText's rule, as many as fit in 2d rows.
BlockLines LaidOut(int d) {
    CFont font;
    font.CreateFontA(14, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, FF_SWISS, "Arial");
    const gdi::Typeface& face = gdi::TypefaceOf(font);
    const std::string_view text = fields::TextPageText();
    BlockLines lines;
    std::size_t pos = 0;
    for (int y = 0; pos < text.size() && (y == 0 || y + 14 <= 2 * d); y += 14) {
        const gdi::TextLine line =
            gdi::NextLine(text, pos, 2 * d, DT_CENTER | DT_WORDBREAK | DT_EDITCONTROL, face);
        lines.push_back({std::string(text.substr(line.begin, line.end - line.begin)), line.width});
        pos = line.next;
    }
    return lines;
}

// The page as it must look: in each block the lines one under the other, each on black cells
// and centred, drawn one by one.
gdi::Surface Expected(int width, int height, int d, const BlockLines& lines) {
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&dc, width, height);
    CBitmap* old = dc.SelectObject(&bitmap);
    CFont font;
    font.CreateFontA(14, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, FF_SWISS, "Arial");
    dc.SelectObject(&font);
    dc.FillSolidRect(0, 0, width, height, 0x000000);
    dc.SetTextColor(0xFFFFFF);
    const POINT centres[5] = {{d, d},
                              {width - d, d},
                              {width - d, height - d},
                              {d, height - d},
                              {(2 * width) / 4, (2 * height) / 4}};
    for (const POINT& c : centres) {
        for (std::size_t k = 0; k < lines.size(); ++k) {
            // One line, centred and clipped to the block's width: DrawText without wrapping.
            const int top = c.y - d + 14 * static_cast<int>(k);
            RECT row{c.x - d, top, c.x + d, top + 14};
            dc.DrawText(lines[k].text, &row, DT_CENTER);
        }
    }
    dc.SelectStockObject(SYSTEM_FONT);
    gdi::Surface s = testing_support::PixelsOf(bitmap);
    dc.SelectObject(old);
    return s;
}

// The lines of each block at three client sizes, as text and extent: breaks after spaces and
// after tab runs, a tab run ending its line, each space the line broke at dropped.
TEST(TextPage, EachBlockShowsTheseLines) {
    const BlockLines wide = {
        {"We all talk about oure computers,", 182},
        {"but the monitor is what we", 141},
        {"actually\t\tsee when we are using", 186},
        {"computers.It is our visual link to", 169},
        {"all\t\tapplications,Weall talk about", 188},
        {"oure computer,bjut the monitor is\t\t", 196},
        {"what we acturall see when we are", 184},
        {"using computers,It is our visual\t\t", 185},
        {"link to all We all talk about oure", 170},
        {"computers, but the monitor is\t\twhat", 200},
        {"we actually see when we are using", 190},
        {"computers.It is our visual\t\tlink to all", 200},
        {"applications,Weall talk about oure", 185},
        {"computer,bjut the \t\tmonitor is what", 197},
    };
    const BlockLines medium = {
        {"We all talk about", 91}, {"oure computers,", 88}, {"but the monitor is", 93},
        {"what we", 45},           {"actually\t\tsee", 80}, {"when we are", 70},
    };
    const BlockLines narrow = {
        {"We all talk", 57},
        {"about oure", 59},
        {"computers,", 60},
        {"but the", 37},
    };
    struct Case {
        int width, height, d;
        const BlockLines& lines;
    };
    for (const Case& c :
         {Case{1920, 1080, 100, wide}, Case{640, 380, 47, medium}, Case{333, 257, 32, narrow}}) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        const BlockLines lines = LaidOut(c.d);
        ASSERT_EQ(lines.size(), c.lines.size());
        for (std::size_t k = 0; k < lines.size(); ++k) {
            EXPECT_EQ(lines[k].text, c.lines[k].text) << "line " << k;
            EXPECT_EQ(lines[k].width, c.lines[k].width) << "line " << k;
        }
        const gdi::Surface page = DrawOn(c.width, c.height, 32).frame;
        const gdi::Surface expected = Expected(c.width, c.height, c.d, c.lines);
        ASSERT_EQ(page.Width(), expected.Width());
        for (int y = 0; y < c.height; ++y) {
            ASSERT_EQ(testing_support::RowRuns(page, y), testing_support::RowRuns(expected, y))
                << "row " << y;
        }
    }
}

TEST(TextPage, SmallClientsUseAnEighthOfTheSmallerSide) {
    ExpectTextOnlyInBlocks(DrawOn(640, 380, 32).frame, 47);
    ExpectTextOnlyInBlocks(DrawOn(300, 800, 32).frame, 37);
    for (auto [w, h] : {std::pair{0, 0}, {1, 1}, {7, 9}}) {
        EXPECT_EQ(DrawOn(w, h, 32).frame.Width(), w);
    }
}

} // namespace
