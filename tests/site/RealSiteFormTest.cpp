// The category forms as a real installation of the directory script renders and checks them.
#include "tests/site/AdminConversation.h"
#include "tests/support/SiteDatabase.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

const char* const Saved = "<div class=\"alert\">Category saved.</div>";
const char* const Indent = "|&nbsp;&nbsp;&nbsp;";

bool Mentions(const std::string& page, const std::string& text)
{
    return page.find(text) != std::string::npos;
}

TPageOption Option(const std::string& text, const std::string& value)
{
    return {text, value, text};
}

class RealSiteForm : public ::testing::Test {
protected:
    // A fresh site whose session has opened both forms, so that their checks are set up.
    void StartSite(std::vector<std::string> arguments = {})
    {
        arguments.insert(arguments.end(), {"--db", Scratch.PathOf("site.db")});
        Site = std::make_unique<TSiteProcess>(arguments, TSitePages::RealSite);
        Admin = std::make_unique<TAdminConversation>(*Site);
        ASSERT_EQ(Admin->LogIn().Status, 302);
        Admin->Get(NewCategoryTarget);
        Admin->Get(NewSymbolicTarget);
    }

    std::string Add(const std::string& title, const std::string& parent = "0", const std::string& titleUrl = "")
    {
        TFormFields fields{{"TITLE", title}, {"PARENT_ID", parent}, {"STATUS", "2"}, {"submit", "Save"}};
        if (!titleUrl.empty())
            fields.insert(fields.begin() + 1, {"TITLE_URL", titleUrl});
        return Admin->Post(NewCategoryTarget, fields).Body;
    }

    std::string AddSymbolic(const std::string& title, const std::string& parent, const std::string& target)
    {
        return Admin->AddSymbolic(title, parent, target);
    }

    std::string FormPage() { return Admin->Get(NewCategoryTarget).Body; }
    std::vector<TSiteRecord> Records() const { return SiteRecords(Scratch.PathOf("site.db")); }

    TTempFolder Scratch;
    std::unique_ptr<TSiteProcess> Site;
    std::unique_ptr<TAdminConversation> Admin;
};

}  // namespace

TEST_F(RealSiteForm, ListsRegularCategoriesInPreOrderWithSiblingsSortedByTitleAndALevelPerParent)
{
    StartSite();
    Add("Music");          // 1
    Add("Arts & Crafts");  // 2
    Add("zebra");          // 3
    Add("Jazz", "1");      // 4
    Add("Blues", "1");     // 5
    Add("Bebop", "4");     // 6
    Add("apple");          // 7
    Add("Zebra");          // 8
    AddSymbolic("Sounds", "2", "1");
    // An inactive category is not listed, and nothing below it can be.
    Admin->Post(NewCategoryTarget, {{"TITLE", "Resting"}, {"PARENT_ID", "0"}, {"STATUS", "1"}, {"submit", "Save"}});
    Add("Under resting", "10");

    const std::vector<TPageOption> expected = {Option("[Top]", "0"),
                                               Option("|___apple", "7"),
                                               Option("|___Arts &amp; Crafts", "2"),
                                               Option("|___Music", "1"),
                                               Option(std::string(Indent) + "|___Blues", "5"),
                                               Option(std::string(Indent) + "|___Jazz", "4"),
                                               Option(std::string(Indent) + Indent + "|___Bebop", "6"),
                                               Option("|___Zebra", "8"),
                                               Option("|___zebra", "3")};
    const std::string page = FormPage();
    EXPECT_EQ(SelectOptions(page, "PARENT_ID"), expected) << page;
    EXPECT_TRUE(Mentions(page, "<option label=\"|&nbsp;&nbsp;&nbsp;|___Jazz\" value=\"4\">"
                               "|&nbsp;&nbsp;&nbsp;|___Jazz</option>\n"));
    EXPECT_TRUE(Mentions(page, "<select name=\"PARENT_ID\">\n<option label=\"[Top]\" value=\"0\">[Top]</option>\n"));

    const std::string symbolicPage = Admin->Get(NewSymbolicTarget).Body;
    EXPECT_EQ(SelectOptions(symbolicPage, "PARENT_ID"), expected);
    EXPECT_EQ(SelectOptions(symbolicPage, "SYMBOLIC_ID"), expected);
    EXPECT_FALSE(Mentions(page, "Sounds"));
    EXPECT_FALSE(Mentions(page, "Resting"));
    // The public page still shows all of it as a tree.
    const std::string publicPage = RawHttpExchange(Site->Port(), RawGetRequest("/")).Body;
    EXPECT_TRUE(Mentions(publicPage, "<li>@Sounds &rarr; Music <small>(9)</small></li>"));
    EXPECT_TRUE(Mentions(publicPage, "<li>Under resting "));
}

TEST_F(RealSiteForm, EscapesTheFiveCharactersOfHtmlAndKeepsEveryOtherByte)
{
    StartSite();
    const std::string titles[] = {
        "Tom & Jerry", "<b>Bold</b>", "Say \"Hi\"", "Children's Books", "Caf\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC",
        "Art",         "Arts"};
    for (const std::string& title : titles)
        Add(title);
    EXPECT_EQ(SelectOptions(FormPage(), "PARENT_ID"),
              (std::vector<TPageOption>{Option("[Top]", "0"), Option("|___&lt;b&gt;Bold&lt;/b&gt;", "2"),
                                        Option("|___Art", "6"), Option("|___Arts", "7"),
                                        Option("|___Caf\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC", "5"),
                                        Option("|___Children&#039;s Books", "4"), Option("|___Say &quot;Hi&quot;", "3"),
                                        Option("|___Tom &amp; Jerry", "1")}));
    const std::string page = FormPage();
    EXPECT_FALSE(Mentions(page, "<b>Bold"));
    EXPECT_FALSE(Mentions(page, "Children's"));
    // A plain name is still found as three underscores, the name and a double quote.
    EXPECT_EQ(ListedId(page, "Art"), "6");
    EXPECT_EQ(ListedId(page, "Arts"), "7");
}

TEST_F(RealSiteForm, TrimsBlanksAroundATitleBeforeItStoresOrComparesIt)
{
    StartSite();
    Add(" Leading Blank");
    Add("Trailing \t ");
    EXPECT_EQ(SelectOptions(FormPage(), "PARENT_ID"),
              (std::vector<TPageOption>{Option("[Top]", "0"), Option("|___Leading Blank", "1"),
                                        Option("|___Trailing", "2")}));
    EXPECT_EQ(Records()[0].Title, "Leading Blank");
    EXPECT_EQ(Records()[0].TitleUrl, "Leading_Blank");

    EXPECT_TRUE(Mentions(Add("Leading Blank  "), "Title is not unique in the parent category."));
    EXPECT_TRUE(Mentions(Add("   "), "<input type=\"text\" name=\"TITLE\"> <span class=\"error\">"
                                     "This field is required.</span>"));
    EXPECT_EQ(Records().size(), 2u);
}

TEST_F(RealSiteForm, AnswersAPostWithTheFormListingTheCategoriesAsTheyWereBeforeTheInsert)
{
    StartSite();
    const std::string first = Add("Arts");
    EXPECT_TRUE(Mentions(first, Saved));
    EXPECT_LT(first.find(Saved), first.find("<form"));
    EXPECT_EQ(SelectOptions(first, "PARENT_ID"), std::vector<TPageOption>{Option("[Top]", "0")});

    const std::string second = Add("Music", "1");
    EXPECT_TRUE(Mentions(second, Saved));
    EXPECT_EQ(SelectOptions(second, "PARENT_ID"),
              (std::vector<TPageOption>{Option("[Top]", "0"), Option("|___Arts", "1")}));

    const std::string symbolic = AddSymbolic("Sounds", "0", "2");
    EXPECT_TRUE(Mentions(symbolic, Saved));
    EXPECT_EQ(SelectOptions(symbolic, "SYMBOLIC_ID").size(), 3u);

    const std::string page = FormPage();
    EXPECT_FALSE(Mentions(page, "Category saved."));
    EXPECT_EQ(ValueOfLabel(page, std::string(Indent) + "|___Music"), "2");
}

TEST_F(RealSiteForm, RefusesAPostWithEachReasonBesideItsFieldAndStoresNothing)
{
    StartSite();
    Add("Arts");                      // 1
    Add("Music", "1");                // 2
    AddSymbolic("Sounds", "0", "2");  // 3
    const std::size_t stored = Records().size();

    const std::string title = "<input type=\"text\" name=\"TITLE\"> <span class=\"error\">";
    const std::string status = "</select> <span class=\"error\">";
    struct TCase {
        const char* Target;
        TFormFields Fields;
        std::vector<std::string> Reasons;
    };
    const TCase cases[] = {
        {NewCategoryTarget,
         {{"TITLE", "Music"}, {"PARENT_ID", "1"}, {"STATUS", "2"}},
         {title + "Title is not unique in the parent category.</span>"}},
        {NewCategoryTarget,
         {{"TITLE", ""}, {"PARENT_ID", "0"}, {"STATUS", "2"}},
         {title + "This field is required.</span>"}},
        {NewCategoryTarget, {{"PARENT_ID", "0"}, {"STATUS", "2"}}, {title + "This field is required.</span>"}},
        {NewCategoryTarget,
         {{"TITLE", "X"}, {"PARENT_ID", "0"}},
         {"<option value=\"2\" selected>Active</option></select> <span class=\"error\">This field is "
          "required.</span>"}},
        {NewCategoryTarget,
         {{"TITLE", "X"}, {"PARENT_ID", "99"}, {"STATUS", "2"}},
         {status + "Please select a category.</span></p>\n<p>Status"}},
        {NewCategoryTarget,
         {{"TITLE", "X"}, {"PARENT_ID", "3"}, {"STATUS", "2"}},
         {status + "Please select a category.</span>"}},
        {NewCategoryTarget, {{"TITLE", "X"}, {"STATUS", "2"}}, {status + "Please select a category.</span>"}},
        {NewCategoryTarget,
         {{"TITLE", ""}, {"PARENT_ID", "x"}, {"STATUS", "2"}},
         {title + "This field is required.</span>", status + "Please select a category.</span>"}},
        {NewSymbolicTarget,
         {{"TITLE", "Tunes"}, {"PARENT_ID", "1"}, {"SYMBOLIC_ID", "2"}, {"STATUS", "2"}},
         {status + "Symbolic category cannot have the same parent as the reference category.</span></p>\n"
                   "<p>Stands for"}},
        {NewSymbolicTarget,
         {{"TITLE", "Sounds again"}, {"PARENT_ID", "0"}, {"SYMBOLIC_ID", "2"}, {"STATUS", "2"}},
         {status + "A symbolic category already exists for this category and parent category.</span></p>\n"
                   "<p>Status"}},
        {NewSymbolicTarget,
         {{"TITLE", "Tunes"}, {"PARENT_ID", "0"}, {"SYMBOLIC_ID", "0"}, {"STATUS", "2"}},
         {status + "Please select a category.</span></p>\n<p>Status"}},
        {NewSymbolicTarget,
         {{"TITLE", "Tunes"}, {"PARENT_ID", "0"}, {"SYMBOLIC_ID", "3"}, {"STATUS", "2"}},
         {status + "Please select a category.</span></p>\n<p>Status"}},
        {NewSymbolicTarget,
         {{"TITLE", "Tunes"}, {"PARENT_ID", "0"}, {"STATUS", "2"}},
         {status + "Please select a category.</span></p>\n<p>Status"}},
        {NewSymbolicTarget,
         {{"TITLE", " "}, {"PARENT_ID", "2"}, {"SYMBOLIC_ID", "1"}, {"STATUS", "2"}},
         {title + "This field is required.</span>"}},
    };
    for (const TCase& c : cases) {
        const TRawHttpResponse answer = Admin->Post(c.Target, c.Fields);
        EXPECT_EQ(answer.Status, 200);
        for (const std::string& reason : c.Reasons)
            EXPECT_TRUE(Mentions(answer.Body, reason)) << reason << "\n" << answer.Body;
        std::size_t spans = 0;
        for (auto at = answer.Body.find("class=\"error\""); at != std::string::npos;
             at = answer.Body.find("class=\"error\"", at + 1))
            ++spans;
        EXPECT_EQ(spans, c.Reasons.size()) << answer.Body;
        EXPECT_FALSE(Mentions(answer.Body, "Category saved.")) << answer.Body;
        EXPECT_EQ(ValueOfLabel(answer.Body, "|___Arts"), "1") << "the form comes again with its list";
    }
    EXPECT_EQ(Records().size(), stored);
}

TEST_F(RealSiteForm, TitlesAreUniqueOnlyAmongTheChildrenOfOneParent)
{
    StartSite();
    Add("Arts");      // 1
    Add("Shopping");  // 2
    EXPECT_TRUE(Mentions(Add("Music", "1"), Saved));
    EXPECT_TRUE(Mentions(Add("Music", "2"), Saved));
    EXPECT_TRUE(Mentions(Add("music", "1"), Saved)) << "letter case tells titles apart";
    EXPECT_TRUE(Mentions(Add("Music", "3"), Saved)) << "a child may carry its parent's title";
    // A symbolic category's title does not take a regular category's place.
    AddSymbolic("Gifts", "1", "2");
    EXPECT_TRUE(Mentions(Add("Gifts", "1"), Saved));
    EXPECT_EQ(Records().size(), 8u);
}

TEST_F(RealSiteForm, MakesAUrlTitleWhenNoneIsPostedAndChecksNoneWithoutUrlRewriting)
{
    StartSite();
    Add("Arts & Crafts");
    Add("Caf\xC3\xA9");
    Add("Caf\xD0\xB8");
    Add("Posted", "0", "any thing&goes");
    Add("Again", "0", "any thing&goes");
    Add("Blank URL title", "0", "   ");
    std::vector<std::string> urlTitles;
    for (const TSiteRecord& record : Records())
        urlTitles.push_back(record.TitleUrl);
    EXPECT_EQ(urlTitles, (std::vector<std::string>{"Arts___Crafts", "Caf__", "Caf__", "any thing&goes",
                                                   "any thing&goes", "Blank_URL_title"}));
}

TEST_F(RealSiteForm, UrlRewritingRefusesUrlTitlesWithOtherBytesOrTakenUnderTheParent)
{
    StartSite({"--url-rewriting"});
    const std::string reasonAt = "name=\"TITLE_URL\"> <span class=\"error\">";
    EXPECT_TRUE(Mentions(Add("Arts & Crafts"), Saved)) << "a made URL title is always allowed";
    EXPECT_TRUE(Mentions(Add("Caf\xC3\xA9"), Saved));
    EXPECT_TRUE(Mentions(Add("Caf\xD0\xB8"), reasonAt + "URL title is not unique in the parent category.</span>"));
    EXPECT_TRUE(Mentions(Add("Caf\xD0\xB8", "1"), Saved)) << "unique per parent only";
    EXPECT_TRUE(Mentions(Add("Tea", "0", "Caf__"), "URL title is not unique in the parent category."));
    EXPECT_TRUE(Mentions(Add("Tea", "0", "Tea-Room_2"), Saved));
    for (const std::string bad : {"a&b", "caf\xC3\xA9", "two words", "dot.ted", "slash/ed"})
        EXPECT_TRUE(Mentions(Add("Other", "0", bad),
                             reasonAt + "Invalid URL path. Allowed symbols are: a-z, A-Z, 0-9, _, -</span>"))
            << bad;
    // Both reasons of one post, each beside its field.
    const std::string both = Add("Tea", "0", "Tea-Room_2");
    EXPECT_TRUE(Mentions(both, "Title is not unique in the parent category."));
    EXPECT_TRUE(Mentions(both, "URL title is not unique in the parent category."));
    EXPECT_EQ(Records().size(), 4u);
}

TEST_F(RealSiteForm, AFormIsCheckedOnlyInASessionThatOpenedItsPage)
{
    StartSite();
    Add("Arts");        // 1
    Add("Music", "1");  // 2
    TAdminConversation fresh(*Site);
    ASSERT_EQ(fresh.LogIn().Status, 302);

    // Never opened: the symbolic form takes what its checks would refuse.
    const std::string beside = fresh.AddSymbolic("Sounds", "1", "2");
    EXPECT_TRUE(Mentions(beside, Saved)) << beside;
    // The answer to a post sets up nothing: still unchecked. A second symbolic category for
    // one target under one parent is what the database itself will not hold: it is not
    // stored, and the answer says neither that it was saved nor why not.
    const std::string again = fresh.AddSymbolic("Sounds", "1", "2");
    EXPECT_FALSE(Mentions(again, "Category saved."));
    EXPECT_FALSE(Mentions(again, "class=\"error\""));
    EXPECT_FALSE(Mentions(fresh.AddSymbolic("", "0", "2"), "Category saved."));
    // The regular form's page was never opened either: a title taken under the parent goes in.
    EXPECT_TRUE(Mentions(fresh.AddCategory("Music", "1"), Saved));
    EXPECT_FALSE(Mentions(fresh.AddCategory("", "1"), "Category saved."));

    // Opening one form sets up that form's checks only.
    fresh.Get(NewCategoryTarget);
    EXPECT_TRUE(Mentions(fresh.AddCategory("Music", "1"), "Title is not unique in the parent category."));
    EXPECT_TRUE(Mentions(fresh.AddSymbolic("Tunes", "0", "1"), Saved));
    fresh.Get(NewSymbolicTarget);
    EXPECT_TRUE(Mentions(fresh.AddSymbolic("Tunes", "0", "1"),
                         "A symbolic category already exists for this category and parent category."));
    EXPECT_TRUE(Mentions(fresh.AddSymbolic("Tones", "1", "4"),
                         "Symbolic category cannot have the same parent as the reference category."));

    // Checks belong to the session: a new login starts without them.
    TAdminConversation later(*Site);
    later.LogIn();
    EXPECT_TRUE(Mentions(later.AddCategory("Arts", "0"), Saved));

    EXPECT_EQ(SiteCategories(Scratch.PathOf("site.db")),
              (std::vector<std::string>{"1 Arts under 0", "2 Music under 1", "3 Sounds@ under 1 for 2",
                                        "4 Music under 1", "5 Tunes@ under 0 for 1", "6 Arts under 0"}));
}

TEST_F(RealSiteForm, KeepsItsOrderAndChecksForADirectoryReadBackFromTheDatabase)
{
    StartSite();
    Add("Zoo");
    Add("Arts");
    Add("Jazz", "2");
    Add("Blues", "2");
    ASSERT_EQ(Site->Stop(), 0);

    StartSite();
    const std::string page = FormPage();
    EXPECT_EQ(SelectOptions(page, "PARENT_ID"),
              (std::vector<TPageOption>{Option("[Top]", "0"), Option("|___Arts", "2"),
                                        Option(std::string(Indent) + "|___Blues", "4"),
                                        Option(std::string(Indent) + "|___Jazz", "3"), Option("|___Zoo", "1")}));
    EXPECT_TRUE(Mentions(Add("Jazz", "2"), "Title is not unique in the parent category."));
    EXPECT_TRUE(Mentions(Add("Bebop", "3"), Saved));
}
