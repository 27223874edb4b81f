// Break opportunities by the Unicode line-breaking rules, whichever source the build uses.

#include "platform/gdi/line_breaks.h"

#include <gtest/gtest.h>

namespace {

using Breaks = std::vector<std::size_t>;

TEST(LineBreaks, AfterSpacesTabRunsAndHyphensButNeverBeforeASpace) {
    EXPECT_EQ(gdi::LineBreakOpportunities(u"We all talk"), (Breaks{3, 7}));
    // A run of spaces is one opportunity, after its last space.
    EXPECT_EQ(gdi::LineBreakOpportunities(u"nn   nnnn"), (Breaks{5}));
    // A tab breaks after it, never between two tabs; the next word starts a line.
    EXPECT_EQ(gdi::LineBreakOpportunities(u"actually\t\tsee"), (Breaks{10}));
    // A space before a tab run: after the space as well.
    EXPECT_EQ(gdi::LineBreakOpportunities(u"the \t\tmonitor"), (Breaks{4, 6}));
    EXPECT_EQ(gdi::LineBreakOpportunities(u"well-known fact"), (Breaks{5, 11}));
}

TEST(LineBreaks, NotAfterPunctuationThatALetterFollowsNorInsideAWord) {
    EXPECT_EQ(gdi::LineBreakOpportunities(u"computers,It is"), (Breaks{13}));
    EXPECT_EQ(gdi::LineBreakOpportunities(u"computers.It is"), (Breaks{13}));
    EXPECT_EQ(gdi::LineBreakOpportunities(u"applications,Weall"), Breaks{});
    // A no-break space glues its neighbours.
    EXPECT_EQ(gdi::LineBreakOpportunities(u"Level:\u00a08 x"), (Breaks{9}));
}

TEST(LineBreaks, BetweenIdeographs) {
    EXPECT_EQ(gdi::LineBreakOpportunities(u"显示器文字"), (Breaks{1, 2, 3, 4}));
    EXPECT_EQ(gdi::LineBreakOpportunities(u"Text显示"), (Breaks{4, 5}));
}

TEST(LineBreaks, TooShortToBreak) {
    EXPECT_EQ(gdi::LineBreakOpportunities(u""), Breaks{});
    EXPECT_EQ(gdi::LineBreakOpportunities(u"a"), Breaks{});
    EXPECT_EQ(gdi::LineBreakOpportunities(u" "), Breaks{});
    // Never at the end of the text, nor at its start.
    EXPECT_EQ(gdi::LineBreakOpportunities(u"ab "), Breaks{});
    EXPECT_EQ(gdi::LineBreakOpportunities(u" ab"), (Breaks{1}));
}

} // namespace
