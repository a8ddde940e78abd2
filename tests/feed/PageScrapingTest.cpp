#include "feed/PageScraping.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WorkingDirectory.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// The listing the site's form page carries: one option per category, the depth shown as
// underscores in front of the name.
const std::string FormPage = "<html><a href=\"x\">Arts</a><select name=\"PARENT_ID\">\n"
                             "<option title=\"___Arts\" value=\"7\">Arts</option>\n"
                             "<option title=\"______Music\" value=\"12\">Music</option>\n"
                             "<option title=\"___Arts and Crafts\" value='31'>Arts and Crafts</option>\n"
                             "<option title=\"___Arts\" value=\"99\">Arts again</option>\n"
                             "</select></html>";

// The lookups only read: they leave no file behind, in whatever folder they run.
class PageScraping : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_TRUE(std::filesystem::is_empty(Scratch.Path())); }

    TTempFolder Scratch;
    TWorkingDirectory InScratch{Scratch.Path()};
};

}  // namespace

TEST(TitleToUrl, TurnsBlanksIntoHyphensAndEveryOtherByteTheSiteRefusesIntoAnUnderscore)
{
    EXPECT_EQ(TitleToUrl(u"Arts And Crafts"), u"Arts-And-Crafts");
    EXPECT_EQ(TitleToUrl(u"two  blanks"), u"two--blanks");
    EXPECT_EQ(TitleToUrl(u" Edge "), u"-Edge-");
    EXPECT_EQ(TitleToUrl(u"Snake_case-and-dash09"), u"Snake_case-and-dash09");
    EXPECT_EQ(TitleToUrl(u"NoBlanks&Co."), u"NoBlanks_Co_");
    EXPECT_EQ(TitleToUrl(u"<\"'>"), u"____");
    EXPECT_EQ(TitleToUrl(u"Caf\u00e9"), u"Caf__") << "one per byte of the UTF-8 text";
    EXPECT_EQ(TitleToUrl(u"\u65E5\u672C"), u"______");
    EXPECT_EQ(TitleToUrl(u"\U0001F3B5 tab\t"), u"____-tab_");
    EXPECT_EQ(TitleToUrl(u""), u"");
}

TEST(CategoryExists, NeedsTheUnderscoresTheWholeNameAndItsCase)
{
    EXPECT_TRUE(CategoryExists("Arts", FormPage));
    EXPECT_TRUE(CategoryExists("Music", FormPage)) << "longer underscore runs end in the marker too";
    EXPECT_TRUE(CategoryExists("Arts and Crafts", FormPage));
    EXPECT_FALSE(CategoryExists("arts", FormPage));
    EXPECT_FALSE(CategoryExists("Art", FormPage)) << "a prefix is not the name";
    EXPECT_FALSE(CategoryExists("Arts again", FormPage)) << "plain option text is no listing";
    EXPECT_FALSE(CategoryExists("Arts", ""));
}

TEST_F(PageScraping, FindsTheFirstListingsValue)
{
    EXPECT_EQ(FindCategoryID("Arts", FormPage), "7");
    EXPECT_EQ(FindCategoryID("Music", FormPage), "12");
    EXPECT_EQ(FindCategoryID("Arts and Crafts", FormPage), "31") << "any delimiter serves";
}

TEST_F(PageScraping, GivesZeroForNamesNotListedAndForAnEmptyName)
{
    EXPECT_EQ(FindCategoryID("arts", FormPage), "0");
    EXPECT_EQ(FindCategoryID("Art", FormPage), "0");
    EXPECT_EQ(FindCategoryID("", FormPage), "0");
}

TEST_F(PageScraping, TakesTheValueAsItStandsUpToTheSameDelimiter)
{
    EXPECT_EQ(FindCategoryID("A", "___A\" value=\"\" value=\"5\""), "");
    EXPECT_EQ(FindCategoryID("A", "___A\"></option><b value=| 4 &amp; |"), " 4 &amp; ");
    EXPECT_EQ(FindCategoryID("A", "___A\"value=x12x"), "12") << "value= right behind the marker";
    EXPECT_EQ(FindCategoryID("A", "value=\"1\" ___A\" ... value=\"2\""), "2") << "only values after the listing count";
}

TEST_F(PageScraping, NeverReadsPastThePage)
{
    EXPECT_EQ(FindCategoryID("A", "___A\" value=\"12"), "0") << "no closing delimiter";
    EXPECT_EQ(FindCategoryID("A", "___A\" value="), "0") << "value= ends the page";
    EXPECT_EQ(FindCategoryID("A", "___A\" no attribute"), "0");
}

TEST_F(PageScraping, FindsANameListedEscapedOrTrimmedAsTheSiteWritesIt)
{
    const std::string page = "<option label=\"|___Arts &amp; Crafts\" value=\"1\">\n"
                             "<option label=\"|___Arts\" value=\"2\">\n"
                             "<option label=\"|___Leading Blank\" value=\"3\">\n"
                             "<option label=\"|___Say &quot;Hi&quot; &#039;now&#39;\" value=\"4\">\n"
                             "<option label=\"|___&lt;b&gt; &#x65E5;\" value=\"5\">\n"
                             "<option label=\"|___AT&amp;amp;T\" value=\"6\">\n";
    EXPECT_EQ(FindCategoryID("Arts & Crafts", page), "1");
    EXPECT_EQ(FindCategoryID("Arts", page), "2") << "the longer name that begins with it is not it";
    EXPECT_EQ(FindCategoryID(" Leading Blank ", page), "3");
    EXPECT_EQ(FindCategoryID("Say \"Hi\" 'now'", page), "4");
    EXPECT_EQ(FindCategoryID("<b> \xE6\x97\xA5", page), "5");
    EXPECT_EQ(FindCategoryID("AT&amp;T", page), "6") << "decoded once, as a browser shows it";
    EXPECT_EQ(FindCategoryID("AT&amp;amp;T", page), "6") << "and as it stands";
    EXPECT_FALSE(CategoryExists("Arts &", page));
    EXPECT_FALSE(CategoryExists("Leading", page));
}

TEST(ListedCategoryIDs, CountsEveryListingOfANameOnceWhicheverWayItIsWritten)
{
    const std::string page = "___Music\" value=\"1\" ___Music \" value=\"2\" ___Mu&#115;ic\" value=\"3\""
                             " ___Music\" value=\"4\" ___Musical\" value=\"5\"";
    EXPECT_EQ(ListedCategoryIDs("Music", page), (std::vector<std::string>{"1", "3", "4"}));
    EXPECT_EQ(ListedCategoryIDs("Music ", page), (std::vector<std::string>{"1", "2", "3", "4"}))
        << "a site that trims names lists it as Music, one that keeps the blanks as it is";
    EXPECT_EQ(ListedCategoryIDs(" Musical", page), (std::vector<std::string>{"5"}));
    EXPECT_TRUE(ListedCategoryIDs("", page).empty());
}
