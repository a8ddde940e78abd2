#include "common/core/Text.h"
#include "common/core/CaseFold.h"

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
    EXPECT_EQ(Utf8ToUtf16("a\xFF"
                          "b"),
              u"a\uFFFDb");
    EXPECT_EQ(Utf8ToUtf16("\xC3"), u"\uFFFD");                      // cut short
    EXPECT_EQ(Utf8ToUtf16("\xC0\xAF"), u"\uFFFD\uFFFD");            // overlong
    EXPECT_EQ(Utf8ToUtf16("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");  // encoded surrogate
    EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
    EXPECT_EQ(Utf8ToUtf16("bad \xC3 tail \xE6\x97 end \xFF"), u"bad \uFFFD tail \uFFFD\uFFFD end \uFFFD");
    EXPECT_EQ(Utf16ToUtf8(u"x\xD800y\xDC00"), "x\xEF\xBF\xBDy\xEF\xBF\xBD");
}

TEST(Text, AppendsOneCodePointAsUtf8)
{
    std::string text = "x";
    for (const char32_t code :
         {U'A', char32_t(0xE9), char32_t(0x65E5), char32_t(0x1F3B5), char32_t(0xDC00), char32_t(0x110000)})
        AppendUtf8(text, code);
    EXPECT_EQ(text, "xA\xC3\xA9\xE6\x97\xA5\xF0\x9F\x8E\xB5\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(Text, AsciiCaseFoldingLeavesOtherBytesAlone)
{
    EXPECT_EQ(AsciiLowerCase("XmlPersistance.LOG \xC3\x89"), "xmlpersistance.log \xC3\x89");
    EXPECT_EQ(AsciiUpperCase("path=/a"), "PATH=/A");
    EXPECT_TRUE(SameTextAscii("TCategory", "tcategory"));
    EXPECT_FALSE(SameTextAscii("TCategory", "TCategor"));
    EXPECT_FALSE(SameTextAscii("\xC3\x89", "\xC3\xA9"));
}

TEST(Utf8Check, FindsTheFirstByteThatIsNotValidUtf8)
{
    const std::string ascii(40, 'a');
    EXPECT_EQ(FirstInvalidUtf8(""), std::string::npos);
    EXPECT_EQ(FirstInvalidUtf8(ascii + "Caf\xC3\xA9 \xEF\xBF\xBD \xF0\x9F\x8E\xB5" + ascii), std::string::npos);
    EXPECT_EQ(FirstInvalidUtf8(ascii + "\xC3\x28"), 40u);          // a lead byte without its follower
    EXPECT_EQ(FirstInvalidUtf8(ascii + "\xC0\xAF"), 40u);          // an overlong form
    EXPECT_EQ(FirstInvalidUtf8("a\xED\xA0\x80"), 1u);              // a surrogate
    EXPECT_EQ(FirstInvalidUtf8("ab\xF4\x90\x80\x80"), 2u);         // beyond U+10FFFF
    EXPECT_EQ(FirstInvalidUtf8(ascii + ascii + "\xE2\x82"), 80u);  // cut short at the end
    EXPECT_EQ(FirstInvalidUtf8("\xFF" + ascii), 0u);
}

// Folding agrees with the comparison: texts it calls equal fold alike, accents stay accents.
TEST(CaseFold, FoldsLettersOfEveryScriptAndLeavesTheRestAlone)
{
    std::u16string folded;
    AppendFoldedCase(folded, u"Caf\u00C9 \u0394\u03A9 \U0001F3B5 ABC");
    EXPECT_EQ(folded, u"caf\u00E9 \u03B4\u03C9 \U0001F3B5 abc");
    EXPECT_TRUE(SameTextIgnoringCase(folded, u"CAF\u00C9 \u0394\u03A9 \U0001F3B5 Abc"));
    AppendFoldedCase(folded, u"E");
    EXPECT_EQ(folded.back(), u'e');
    std::u16string accentless;
    AppendFoldedCase(accentless, u"Cafe");
    EXPECT_FALSE(SameTextIgnoringCase(accentless, u"caf\u00E9"));
}
