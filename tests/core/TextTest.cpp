#include "common/core/Text.h"

#include <gtest/gtest.h>

TEST(Text, Utf8AndUtf16RoundTripWithoutLoss)
{
    const std::string text = "Arts & Crafts \xC3\xA9t\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x8E\xB5";
    const std::u16string wide = Utf8ToUtf16(text);
    EXPECT_EQ(wide, u"Arts & Crafts \u00E9t\u00E9 \u20AC \U0001F3B5");
    EXPECT_EQ(Utf16ToUtf8(wide), text);
}

TEST(Text, InvalidInputBecomesReplacementCharacters)
{
    EXPECT_EQ(Utf8ToUtf16("a\xFF" "b"), u"a\uFFFDb");
    EXPECT_EQ(Utf8ToUtf16("\xC3"), u"\uFFFD");                   // cut short
    EXPECT_EQ(Utf8ToUtf16("\xC0\xAF"), u"\uFFFD\uFFFD");         // overlong
    EXPECT_EQ(Utf8ToUtf16("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD"); // encoded surrogate
    EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
    EXPECT_EQ(Utf8ToUtf16("bad \xC3 tail \xE6\x97 end \xFF"), u"bad \uFFFD tail \uFFFD\uFFFD end \uFFFD");
    EXPECT_EQ(Utf16ToUtf8(u"x\xD800y\xDC00"), "x\xEF\xBF\xBDy\xEF\xBF\xBD");
}

TEST(Text, AsciiCaseFoldingLeavesOtherBytesAlone)
{
    EXPECT_EQ(AsciiLowerCase("XmlPersistance.LOG \xC3\x89"), "xmlpersistance.log \xC3\x89");
    EXPECT_EQ(AsciiUpperCase("path=/a"), "PATH=/A");
    EXPECT_TRUE(SameTextAscii("TCategory", "tcategory"));
    EXPECT_FALSE(SameTextAscii("TCategory", "TCategor"));
    EXPECT_FALSE(SameTextAscii("\xC3\x89", "\xC3\xA9"));
}

TEST(Text, ValidUtf8IsToldFromBytesThatWouldBeReplaced)
{
    EXPECT_TRUE(IsValidUtf8(""));
    EXPECT_TRUE(IsValidUtf8("Caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x8E\xB5"));
    EXPECT_TRUE(IsValidUtf8("\xEF\xBF\xBD"));  // U+FFFD written out is text like any other
    EXPECT_FALSE(IsValidUtf8("Caf\xE9"));      // Latin-1
    EXPECT_FALSE(IsValidUtf8("a\xC3"));        // cut short
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));     // overlong
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80")); // encoded surrogate
}
