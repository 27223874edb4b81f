// DrawText(DT_CENTER | DT_WORDBREAK | DT_EDITCONTROL) with Arial at height 14. The text and
// background colours are the same blue, so every line shows as its solid cell and the tests
// read line positions and widths without depending on glyph shapes. Expected cells come from
// the font's advances.

#include "canvas.h"

#include "platform/gdi/text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace gdi_test {
namespace {

constexpr UINT kFormat = DT_CENTER | DT_WORDBREAK | DT_EDITCONTROL;
constexpr COLORREF kBlueRef = 0xFF0000;
constexpr int kLine = 14;

using Lines = std::vector<std::string>;

class Block {
  public:
    explicit Block(int width = 240, int height = 240) : canvas(width, height, 0xFFFFFF) {
        font.CreateFontA(kLine, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, FF_SWISS,
                         "Arial");
        canvas.dc.SelectObject(&font);
        face = &gdi::TypefaceOf(font);
    }
    ~Block() { canvas.dc.SelectStockObject(SYSTEM_FONT); }

    // Draws text into rect on a white canvas; returns DrawText's result.
    int Draw(std::string_view text, RECT rect, UINT format = kFormat) {
        canvas.dc.FillSolidRect(0, 0, canvas.Width(), canvas.Height(), 0xFFFFFF);
        canvas.dc.SetBkColor(kBlueRef);
        canvas.dc.SetTextColor(kBlueRef);
        return canvas.dc.DrawText(text, &rect, format);
    }

    // The columns lit on the top row of each line slot of rect, last empty slots left out.
    Lines Cells(const RECT& r) {
        Lines out;
        for (int y = r.top; y < r.bottom && y < canvas.Height(); y += kLine) {
            out.push_back(canvas.RowRuns(y));
        }
        while (!out.empty() && out.back().empty()) {
            out.pop_back();
        }
        return out;
    }

    // The cells that lines centred in rect occupy, clipped to it.
    Lines Expected(const RECT& r, const Lines& lines) {
        Lines out;
        for (const std::string& line : lines) {
            const int width = face->Extent(line);
            const int left = std::max<int>((r.left + r.right - width) / 2, r.left);
            const int right = std::min<int>((r.left + r.right - width) / 2 + width, r.right);
            out.push_back(left >= right ? "" : Range(left, right - 1));
        }
        return out;
    }

    // Draws text into a block as wide as the text fit would be, and expects these lines.
    void ExpectWrap(std::string_view text, std::string_view fit, const Lines& lines, int less = 0) {
        const RECT r{0, 0, face->Extent(fit) - less, 100};
        Draw(text, r);
        EXPECT_EQ(Cells(r), Expected(r, lines)) << "'" << text << "' as wide as '" << fit << "'";
    }

    Canvas canvas;
    CFont font;
    const gdi::Typeface* face = nullptr;
};

TEST(DrawText, WrapsWordsToAWidthOf200AndCentresEachLine) {
    Block b;
    const std::string word = "nnnnn";
    std::string text;
    for (int i = 0; i < 12; ++i) {
        text += (i ? " " : "") + word;
    }
    // k words and the k - 1 spaces between them fit in 200 pixels.
    const int w = b.face->Extent(word), space = b.face->Advance(' ');
    const int perLine = (200 + space) / (w + space);
    ASSERT_GT(perLine, 1);
    Lines lines;
    for (int first = 0; first < 12; first += perLine) {
        std::string line;
        for (int i = first; i < std::min(first + perLine, 12); ++i) {
            line += (i > first ? " " : "") + word;
        }
        lines.push_back(line);
    }
    const RECT r{10, 0, 210, 200};
    EXPECT_EQ(b.Draw(text, r), kLine * static_cast<int>(lines.size()));
    EXPECT_EQ(b.Cells(r), b.Expected(r, lines));
}

TEST(DrawText, DropsExactlyTheOneSpaceItBreaksAt) {
    Block b;
    // Character N (the first that does not fit) is a space: the line ends before it.
    b.ExpectWrap("nnn nnn", "nnn", {"nnn", "nnn"});
    // Further spaces begin the next line.
    b.ExpectWrap("nnnn  nn", "nnnn", {"nnnn", " nn"});
    // When that line does not fit either, its own leading space is the last one before N:
    // it breaks there and stays empty.
    b.ExpectWrap("nnn  nnn", "nnn", {"nnn", "", "nnn"});
    // Character N is inside a word: the line ends at the last space before it, and the
    // spaces in front of that one stay on the line.
    b.ExpectWrap("nn   nnnn", "nn   nn", {"nn  ", "nnnn"});
}

// Break opportunities are those of the Unicode line-breaking rules: after a tab run (never
// inside it), after a hyphen; not after a comma or full stop that a letter follows.
TEST(DrawText, BreaksAfterTabsAndHyphensButNotAfterPunctuationInsideAWord) {
    Block b;
    // Two more characters would fit, but the next word starts the next line.
    b.ExpectWrap("nnnn\tnnnn", "nnnn\tnn", {"nnnn\t", "nnnn"});
    // A run of tabs stays at the end of its line; the word before it goes to the next line with
    // it when the whole run does not fit behind that word.
    b.ExpectWrap("nn nnnn\t\t\tnnnn", "nnnn\t\t\tn", {"nn", "nnnn\t\t\t", "nnnn"}, 1);
    b.ExpectWrap("nnnn-nnnn", "nnnn-nn", {"nnnn-", "nnnn"});
    // No opportunity after the comma: the word is broken where it stops fitting.
    b.ExpectWrap("nnnn,nnnn", "nnnn,nn", {"nnnn,nn", "nn"});
    b.ExpectWrap("nn nnnn.nnnn", "nn nnnn.nn", {"nn", "nnnn.nnnn"});
}

TEST(DrawText, BreaksAWordWiderThanTheLineAfterTheCharactersThatFit) {
    Block b;
    const std::string word(30, 'n');
    const RECT r{0, 0, 100, 100};
    const int perLine = 100 / b.face->Advance('n');
    Lines lines;
    for (std::size_t i = 0; i < word.size(); i += perLine) {
        lines.push_back(word.substr(i, perLine));
    }
    b.Draw(word, r);
    EXPECT_EQ(b.Cells(r), b.Expected(r, lines));
    // Narrower than one character: still one character per line.
    const RECT narrow{20, 0, 23, 100};
    b.Draw("nnn", narrow);
    EXPECT_EQ(b.Cells(narrow), (Lines{"20-22", "20-22", "20-22"}));
}

TEST(DrawText, CentringTruncatesTowardZero) {
    Block b;
    const int n = b.face->Advance('n');
    ASSERT_EQ(n % 2, 1) << "the test needs an odd sum of edges and width";
    // The cell starts at (-20 + -16 - n) / 2, which truncates upwards for a negative odd sum.
    b.canvas.dc.SetWindowOrg(-40, 0);
    b.Draw("n", RECT{-20, 0, -16, 20}, kFormat | DT_NOCLIP);
    b.canvas.dc.SetWindowOrg(0, 0);
    // The sum is odd and negative; (sum + 1) / 2 is its half truncated toward zero, exactly.
    const int left = (-20 + -16 - n + 1) / 2 + 40; // in device columns
    EXPECT_EQ(b.canvas.RowRuns(0), std::to_string(left) + "-" + std::to_string(left + n - 1));
}

TEST(DrawText, EndsLinesAtLineBreaks) {
    Block b;
    const RECT r{0, 0, 200, 100};
    b.Draw("nnn\r\nnn\n\nn", r);
    EXPECT_EQ(b.Cells(r), b.Expected(r, {"nnn", "nn", "", "n"}));
}

TEST(DrawText, ShowsOnlyWholeLinesButAlwaysTheFirst) {
    Block b;
    const std::string text(200, 'n');
    // Three lines and 13 rows of a fourth: the fourth is left out.
    EXPECT_EQ(b.Draw(text, RECT{0, 10, 100, 10 + 3 * kLine + 13}), 3 * kLine);
    EXPECT_EQ(b.canvas.ColumnRuns(50), "10-" + std::to_string(10 + 3 * kLine - 1));
    EXPECT_EQ(b.Draw(text, RECT{0, 10, 100, 10 + 4 * kLine}), 4 * kLine);
    EXPECT_EQ(b.canvas.ColumnRuns(50), "10-" + std::to_string(10 + 4 * kLine - 1));
    // A rectangle lower than one line still shows the top of the first.
    EXPECT_EQ(b.Draw(text, RECT{0, 10, 100, 15}), kLine);
    EXPECT_EQ(b.canvas.ColumnRuns(50), "10-14");
}

TEST(DrawText, DrawsNothingOutsideItsRectangle) {
    const std::string text =
        "Sharpness\tcheck: small text in every corner of the panel and one block in "
        "the middle; Pneumonoultramicroscopicsilicovolcanoconiosis is broken where it "
        "must be.  Two spaces, then \t\t two tabs. ";
    for (int mode : {OPAQUE, TRANSPARENT}) {
        Canvas c(300, 200, 0xFFFFFF);
        CFont font;
        font.CreateFontA(kLine, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, FF_SWISS, "Arial");
        c.dc.SelectObject(&font);
        c.dc.SetBkMode(mode);
        c.dc.SetBkColor(kBlueRef);
        c.dc.SetTextColor(0x000000);
        RECT r{50, 30, 250, 150};
        c.dc.DrawText(text + text + text, &r, kFormat);
        // Partly off the surface as well.
        RECT corner{-60, 170, 40, 230};
        c.dc.DrawText(text, &corner, kFormat);
        const PixelSet changed = c.Changed();
        int inside = 0;
        for (auto [x, y] : changed) {
            const bool inR = x >= 50 && x < 250 && y >= 30 && y < 150;
            const bool inCorner = x < 40 && y >= 170;
            ASSERT_TRUE(inR || inCorner) << x << "," << y;
            inside += inR;
        }
        EXPECT_GT(inside, 0);
        c.dc.SelectStockObject(SYSTEM_FONT);
    }
}

TEST(DrawText, EmptyTextOrNoRectangleDrawsNothing) {
    Block b;
    EXPECT_EQ(b.Draw("", RECT{0, 0, 100, 100}), 0);
    EXPECT_TRUE(b.Cells(RECT{0, 0, 100, 100}).empty());
    EXPECT_EQ(b.canvas.dc.DrawText("n", nullptr, kFormat), 0);
    // An empty rectangle: the first line is laid out but clipped away entirely.
    b.Draw("nnn nnn", RECT{50, 50, 50, 50});
    EXPECT_TRUE(b.Cells(RECT{0, 0, 240, 240}).empty());
}

} // namespace
} // namespace gdi_test
