// Reading the site's pages as it writes them: character references, the option list of the
// form page as the site's tree, and the answer to a post.

#include "feed/CategoryListing.h"
#include "feed/FormAnswer.h"
#include "feed/HtmlText.h"
#include "feed/SitePage.h"

#include <gtest/gtest.h>

namespace {

// A form page as the site writes it: siblings sorted by title, one level mark per level.
const std::string SitePage = "<html><div class=\"menu\">|___Not a list</div>\n"
                             "<select name=\"STATUS\"><option value=\"2\">Active</option></select>\n"
                             "<select class=\"wide\" name=\"PARENT_ID\">\n"
                             "<option label=\"[Top]\" value=\"0\">[Top]</option>\n"
                             "<option label=\"|___Arts &amp; Crafts\" value=\"1\">|___Arts &amp; Crafts</option>\n"
                             "<option label=\"|&nbsp;&nbsp;&nbsp;|___Music\" value=\"2\">x</option>\n"
                             "<option label=\"|&nbsp;&nbsp;&nbsp;|&nbsp;&nbsp;&nbsp;|___Jazz\" value=\"3\">x</option>\n"
                             "<option label=\"|&nbsp;&nbsp;&nbsp;|___Say &quot;Hi&quot; &#039;now&#039;\" "
                             "value=\"4\">x</option>\n"
                             "<option label=\"|___Shopping &lt;&gt;\" value=\"5\">x</option>\n"
                             "<option label=\"|&nbsp;&nbsp;&nbsp;|___Music\" value=\"6\">x</option>\n"
                             "<option label=\"|___\xE6\x97\xA5\xE6\x9C\xAC a/b\" value=\"7\">x</option>\n"
                             "</select>\n"
                             "<select name=\"SYMBOLIC_ID\"><option label=\"|___Elsewhere\" value=\"9\">x</option>\n"
                             "</select></html>";

std::string IDAt(const std::optional<TCategoryListing>& listing, const std::string& path)
{
    const std::optional<std::string_view> id = listing ? listing->IDAt(path) : std::nullopt;
    return id ? std::string(*id) : "-";
}

}  // namespace

TEST(HtmlText, DecodesTheReferencesASiteWritesAndLeavesTheRestAsWritten)
{
    EXPECT_EQ(DecodeHtmlText("Arts &amp; Crafts &lt;b&gt; &quot;x&quot; &#039;y&#39; &apos;z&apos;"),
              "Arts & Crafts <b> \"x\" 'y' 'z'");
    EXPECT_EQ(DecodeHtmlText("Caf&#233; &#xE9;&#X65E5;&nbsp;"), "Caf\xC3\xA9 \xC3\xA9\xE6\x97\xA5\xC2\xA0");
    EXPECT_EQ(DecodeHtmlText("&amp;amp; &copy; & &amp &#; &#x; &#12a;"), "&amp; &copy; & &amp &#; &#x; &#12a;");
    EXPECT_EQ(DecodeHtmlText("&#0;&#xD800;&#1114112;&#99999999;"), "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD")
        << "numbers that name no character";
    EXPECT_EQ(DecodeHtmlText("no references"), "no references");
    EXPECT_EQ(DecodeHtmlText("&"), "&");
}

TEST(StoredTitle, LosesTheBlanksAroundItAsTheSiteTrimsThem)
{
    EXPECT_EQ(StoredTitle(" Leading Blank"), "Leading Blank");
    EXPECT_EQ(StoredTitle("\t trailing \r\n"), "trailing");
    EXPECT_EQ(StoredTitle(std::string_view("\0x\v", 3)), "x");
    EXPECT_EQ(StoredTitle("  "), "");
    EXPECT_EQ(StoredTitle("in  side"), "in  side");
}

TEST(CategoryListing, ReadsTheOptionListAsTheSitesTreeAndAnswersByPath)
{
    const std::optional<TCategoryListing> listing = TCategoryListing::Read(SitePage);
    ASSERT_TRUE(listing);
    EXPECT_EQ(listing->Size(), 7u) << "[Top] and the other selects are no categories";
    EXPECT_EQ(IDAt(listing, "Arts & Crafts"), "1");
    EXPECT_EQ(IDAt(listing, "Arts & Crafts/Music"), "2");
    EXPECT_EQ(IDAt(listing, "Arts & Crafts/Music/Jazz"), "3");
    EXPECT_EQ(IDAt(listing, "Arts & Crafts/Say \"Hi\" 'now'"), "4") << "back one level after Jazz";
    EXPECT_EQ(IDAt(listing, "Shopping <>/Music"), "6") << "the same title under another parent";
    EXPECT_EQ(IDAt(listing, "\xE6\x97\xA5\xE6\x9C\xAC a\\/b"), "7") << "a slash in a title is escaped in the path";
    EXPECT_EQ(IDAt(listing, "Music"), "-");
    EXPECT_EQ(IDAt(listing, "Arts"), "-") << "a prefix of a title is not the title";
    EXPECT_EQ(IDAt(listing, "Elsewhere"), "-");
}

TEST(CategoryListing, TakesQuotesOptionTextAndEmptyListsAsTheyCome)
{
    const auto listing = TCategoryListing::Read("<select name='PARENT_ID'><option value=0>[Top]\n"
                                                "<option value='12' data-x=\"a>b\">|___A &gt; B</option>\n"
                                                "<option label=|___Bare value=13>"
                                                "<option label='|&#160;&#xA0;\xC2\xA0|___No-break' value=&#49;4>");
    EXPECT_EQ(IDAt(listing, "A > B"), "12") << "without a label the text; a > inside a quoted value";
    EXPECT_EQ(IDAt(listing, "Bare"), "13");
    EXPECT_EQ(IDAt(listing, "Bare/No-break"), "14") << "a level mark written with other no-break spaces";

    const auto empty = TCategoryListing::Read("<select name=\"PARENT_ID\"><option label=\"[Top]\" value=\"0\">"
                                              "[Top]</option></select>");
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->Size(), 0u);
}

TEST(CategoryListing, ReadingAgainGivesWhatAFreshReadingGives)
{
    const auto option = [](const std::string& label, int id) {
        return "<option label=\"" + label + "\" value=\"" + std::to_string(id) + "\">" + label + "</option>\n";
    };
    const std::string deeper = "|&nbsp;&nbsp;&nbsp;|___";
    const auto page = [&](const std::string& above, const std::string& options) {
        return above + "<select name=\"PARENT_ID\">" + option("[Top]", 0) + options + "</select>";
    };
    const std::string first = page("", option("|___A", 1) + option(deeper + "Music", 2) + option("|___B", 3));
    const std::vector<std::string> pages = {
        first,
        page("<div class=\"alert\">Category saved.</div>",
             option("|___A", 1) + option(deeper + "Jazz", 4) + option(deeper + "Music", 2) + option("|___B", 3)),
        page("", option("|___A", 1) + option(deeper + "Jazz", 4) + option(deeper + "Music", 2) +
                     option(deeper + "Rock", 5) + option("|___B", 3) + option(deeper + "Shop", 6)),
        page("", option("|___A", 1) + option(deeper + "Jazz", 4) + option("|___Music", 2)),
        "<option title=\"___A\" value=\"1\">",
        page("", option("|___A", 7)),
        first,
    };
    const std::vector<std::string> paths = {"A", "A/Jazz", "A/Music", "A/Rock", "B", "B/Shop", "Music", "Jazz"};
    TCategoryListing again;
    for (const std::string& text : pages) {
        const std::optional<TCategoryListing> fresh = TCategoryListing::Read(text);
        ASSERT_EQ(again.ReadAgain(text), fresh.has_value()) << text;
        EXPECT_EQ(again.Size(), fresh ? fresh->Size() : 0u) << text;
        for (const std::string& path : paths)
            EXPECT_EQ(again.IDAt(path), fresh ? fresh->IDAt(path) : std::nullopt) << path << " in " << text;
    }
}

TEST(CategoryListing, APageWithoutTheSitesOptionListIsLeftToTheMarkerRule)
{
    EXPECT_FALSE(TCategoryListing::Read("<option title=\"___Arts\" value=\"1\">"));
    EXPECT_FALSE(TCategoryListing::Read("<select name=\"PARENT_ID\"><option value=\"0\">[Top]</option>\n"
                                        "<option label=\"___Arts\" value=\"1\">Arts</option></select>"))
        << "the bare marker listing";
    EXPECT_FALSE(TCategoryListing::Read("<select name=\"PARENT_ID\">"
                                        "<option label=\"|&nbsp;&nbsp;&nbsp;|___Deep\" value=\"1\"></select>"))
        << "a level without a parent";
    EXPECT_FALSE(TCategoryListing::Read("<select name=\"PARENT_ID\"><option label=\"|___A\"></select>")) << "no value";
    EXPECT_FALSE(TCategoryListing::Read("<selection name=\"PARENT_ID\"><option label=\"|___A\" value=\"1\">"));
}

TEST(FormAnswer, ReadsTheSavedNoticeAndEveryReasonOfARefusal)
{
    const TFormAnswer saved = ReadFormAnswer("<div class=\"alert\">Category saved.</div>" + SitePage);
    EXPECT_TRUE(saved.Saved);
    EXPECT_TRUE(saved.Refusals.empty());

    const TFormAnswer refused =
        ReadFormAnswer("<div class=\"alert note\"> Other news </div><input name=\"TITLE\">"
                       "<span class=\"error\">Title is not unique in the parent category.</span>"
                       "<span class=\"small error\"> Invalid URL path. Allowed symbols are: a-z, A-Z, 0-9, _, - </span>"
                       "<span class=\"errors\">not one</span><span class=\"error\"><b>A &amp; B</b></span>"
                       "<span class=\"error\"></span>");
    EXPECT_FALSE(refused.Saved);
    EXPECT_EQ(refused.Refusals,
              (std::vector<std::string>{"Title is not unique in the parent category.",
                                        "Invalid URL path. Allowed symbols are: a-z, A-Z, 0-9, _, -", "A & B"}));
    EXPECT_EQ(JoinedReasons(refused.Refusals),
              "Title is not unique in the parent category. Invalid URL path. Allowed symbols are: a-z, A-Z, 0-9, _, - "
              "A & B");
    EXPECT_FALSE(ReadFormAnswer("<p class=\"notice\">Category <b>Arts</b> saved with ID 1.</p>").Saved);
}

TEST(SitePage, TellsAFullFormPageFromTheBareMarkerListing)
{
    EXPECT_TRUE(TSitePage(SitePage).IsFullFormPage());
    EXPECT_TRUE(TSitePage("<div class=\"alert\">Category saved.</div>").IsFullFormPage());
    EXPECT_TRUE(TSitePage("<span class=\"error\">This field is required.</span>").IsFullFormPage());
    EXPECT_FALSE(TSitePage("<select name=\"PARENT_ID\"><option value=\"0\">[Top]</option>\n"
                           "<option label=\"___Arts\" value=\"1\">Arts</option></select>")
                     .IsFullFormPage());
    EXPECT_FALSE(TSitePage("<select name=\"PARENT_ID\"><option value=\"0\">[Top]</option></select>").IsFullFormPage())
        << "an empty list says nothing of the kind of site";
}
