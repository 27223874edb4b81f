#include "platform/base/utf16.h"

#include <gtest/gtest.h>

namespace {

TEST(Utf16, EveryLengthOfUtf8RoundTrips) {
    // One, two, three and four bytes: A, e-acute, the dialog's Chinese, a symbol beyond the BMP.
    const std::string text = "A\xC3\xA9\xE7\x94\xBB\xE9\x9D\xA2\xF0\x9F\x96\xA5";
    const std::optional<std::u16string> wide = base::Utf16FromUtf8(text);
    ASSERT_TRUE(wide);
    EXPECT_EQ(*wide, (std::u16string{u'A', 0x00E9, 0x753B, 0x9762, 0xD83D, 0xDDA5}));
    EXPECT_EQ(base::Utf8FromUtf16(*wide), text);
}

TEST(Utf16, MalformedUtf8IsRefusedRatherThanGuessed) {
    for (const char* bad : {"\x80", "\xC3", "\xC0\xAF" /* overlong '/' */, "\xE0\x80\xAF",
                            "\xED\xA0\x80" /* a surrogate */, "\xF4\x90\x80\x80" /* > U+10FFFF */,
                            "ok\xFF", "\xE7\x94"}) {
        EXPECT_FALSE(base::Utf16FromUtf8(bad)) << "accepted " << ::testing::PrintToString(bad);
    }
    EXPECT_EQ(base::Utf16FromUtf8(""), std::u16string());
}

TEST(Utf16, UnpairedSurrogatesBecomeReplacementCharacters) {
    EXPECT_EQ(base::Utf8FromUtf16(std::u16string{u'a', 0xD800, u'b', 0xDC00}), "a\xEF\xBF\xBD"
                                                                               "b\xEF\xBF\xBD");
}

} // namespace
