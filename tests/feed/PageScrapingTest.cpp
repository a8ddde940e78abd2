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

TEST(TitleToUrl, TurnsEveryBlankIntoAHyphenAndNothingElse)
{
    EXPECT_EQ(TitleToUrl(u"Arts And Crafts"), u"Arts-And-Crafts");
    EXPECT_EQ(TitleToUrl(u"two  blanks"), u"two--blanks");
    EXPECT_EQ(TitleToUrl(u" Edge "), u"-Edge-");
    EXPECT_EQ(TitleToUrl(u"NoBlanks&Co."), u"NoBlanks&Co.");
    EXPECT_EQ(TitleToUrl(u"tab\there \u00C4rger"), u"tab\there-\u00C4rger");
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
