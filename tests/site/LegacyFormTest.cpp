#include "tests/site/AdminConversation.h"

#include <gtest/gtest.h>

namespace {

std::size_t Count(const std::string& text, const std::string& part)
{
    std::size_t count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

class LegacyForm : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(Admin.LogIn().Body.find("logout.php"), std::string::npos); }

    std::string IdOf(const std::string& page, const std::string& name)
    {
        const auto id = ListedId(page, name);
        EXPECT_TRUE(id.has_value()) << name << " is not listed";
        return id.value_or("");
    }

    std::string PublicPage() { return RawHttpExchange(Site.Port(), RawGetRequest("/")).Body; }

    TSiteProcess Site{{}, TSitePages::Legacy};
    TAdminConversation Admin{Site};
};

}  // namespace

TEST_F(LegacyForm, ListsEveryCategoryInTreeOrderWithThreeUnderscoresPerLevel)
{
    const std::string arts = IdOf(Admin.AddCategory("Arts", "0"), "Arts");
    const std::string music = IdOf(Admin.AddCategory("Music", "0"), "Music");
    const std::string painting = IdOf(Admin.AddCategory("Painting", arts), "Painting");
    const std::string jazz = IdOf(Admin.AddCategory("Jazz", music), "Jazz");
    const std::string oils = IdOf(Admin.AddCategory("Oils", painting), "Oils");

    const std::string page = Admin.Get(NewCategoryTarget).Body;
    const std::string inOrder[] = {"\"___Arts\" value=\"" + arts + "\"",
                                   "\"______Painting\" value=\"" + painting + "\"",
                                   "\"_________Oils\" value=\"" + oils + "\"", "\"___Music\" value=\"" + music + "\"",
                                   "\"______Jazz\" value=\"" + jazz + "\""};
    std::size_t previous = 0;
    for (const std::string& line : inOrder) {
        const auto at = page.find(line);
        ASSERT_NE(at, std::string::npos) << line << "\n" << page;
        EXPECT_GT(at, previous) << line;
        previous = at;
    }
    EXPECT_EQ(ListedId(page, "Oils"), oils);
    EXPECT_EQ(ListedId(Admin.Get(NewSymbolicTarget).Body, "Jazz"), jazz);
    // A name is listed only as a whole.
    EXPECT_FALSE(ListedId(page, "Oil").has_value());
    EXPECT_FALSE(ListedId(page, "arts").has_value());
}

TEST_F(LegacyForm, NamesReachTheListingByteForByteAndAreEscapedWhereverTheyAreShown)
{
    const std::string names[] = {"Arts & Crafts",
                                 "<Misc>",
                                 "Children's Books",
                                 " Spaced  Out ",
                                 "a-b_c.d+e=f%g",
                                 "Caf\xC3\xA9 \xC3\x9C"
                                 "ber",
                                 "<script>alert(1)</script>"};
    for (const std::string& name : names)
        IdOf(Admin.AddCategory(name, "0"), name);

    const std::string form = Admin.Get(NewCategoryTarget).Body;
    EXPECT_NE(form.find(">Arts &amp; Crafts</option>"), std::string::npos);
    EXPECT_NE(form.find(">&lt;Misc&gt;</option>"), std::string::npos);
    EXPECT_EQ(Count(form, "<script>"), 1u) << "only inside the listing attribute";
    EXPECT_NE(form.find("\"___<script>alert(1)</script>\""), std::string::npos);

    const std::string publicPage = PublicPage();
    EXPECT_EQ(publicPage.find("<Misc>"), std::string::npos);
    EXPECT_EQ(publicPage.find("<script>"), std::string::npos);
    EXPECT_NE(publicPage.find("Children&#039;s Books"), std::string::npos);
}

TEST_F(LegacyForm, ADoubleQuoteInANameCannotEndTheListingAttribute)
{
    const std::string page = Admin.AddCategory("Say \"Hi\"", "0");
    EXPECT_NE(page.find("label=\"___Say &quot;Hi&quot;\" value="), std::string::npos) << page;
    EXPECT_FALSE(ListedId(page, "Say \"Hi\"").has_value());
    EXPECT_NE(PublicPage().find("Say &quot;Hi&quot;"), std::string::npos);
}

TEST_F(LegacyForm, SymbolicCategoryIsCreatedUnderItsParentAndShownMarkedButNotListed)
{
    const std::string arts = IdOf(Admin.AddCategory("Arts", "0"), "Arts");
    const std::string jazz = IdOf(Admin.AddCategory("Jazz", "0"), "Jazz");

    const TRawHttpResponse answer = Admin.Post(
        NewSymbolicTarget,
        {{"TITLE", "See Jazz"}, {"PARENT_ID", arts}, {"SYMBOLIC_ID", jazz}, {"STATUS", "2"}, {"submit", "Save"}});
    EXPECT_EQ(answer.Status, 200);
    EXPECT_NE(answer.Body.find("Symbolic category <b>See Jazz</b> saved"), std::string::npos) << answer.Body;
    // The answer lists the categories again, for lookups of the next symbolic category.
    EXPECT_EQ(ListedId(answer.Body, "Arts"), arts);
    EXPECT_FALSE(ListedId(answer.Body, "See Jazz").has_value());
    EXPECT_FALSE(ListedId(Admin.Get(NewCategoryTarget).Body, "See Jazz").has_value());

    const std::string publicPage = PublicPage();
    const auto artsAt = publicPage.find("<li>Arts ");
    const auto symbolicAt = publicPage.find("<li>@See Jazz &rarr; Jazz ");
    ASSERT_NE(symbolicAt, std::string::npos) << publicPage;
    EXPECT_LT(artsAt, symbolicAt);
    EXPECT_LT(symbolicAt, publicPage.find("<li>Jazz "));

    // The top stands for "no parent" and "the top" alike.
    Admin.AddSymbolic("Top link", "0", "0");
    EXPECT_NE(PublicPage().find("@Top link &rarr; [Top]"), std::string::npos);
}

TEST_F(LegacyForm, RefusesBadFormsWithAnErrorAndCreatesNothing)
{
    const std::string arts = IdOf(Admin.AddCategory("Arts", "0"), "Arts");
    const std::string symbolic = [&] {
        Admin.AddSymbolic("Link", "0", arts);
        const std::string page = PublicPage();
        const auto at = page.find("@Link");
        const auto open = page.find("<small>(", at) + 8;
        return page.substr(open, page.find(')', open) - open);
    }();
    const std::string before = PublicPage();

    struct TCase {
        const char* Target;
        TFormFields Fields;
        std::string Error;
    };
    const TCase cases[] = {
        {NewCategoryTarget,
         {{"TITLE_URL", "x"}, {"PARENT_ID", "0"}, {"STATUS", "2"}},
         "The category title is missing."},
        {NewCategoryTarget, {{"TITLE", ""}, {"PARENT_ID", "0"}, {"STATUS", "2"}}, "The category title is missing."},
        {NewCategoryTarget,
         {{"TITLE", "X"}, {"PARENT_ID", "999"}, {"STATUS", "2"}},
         "There is no parent category with ID 999."},
        {NewCategoryTarget,
         {{"TITLE", "X"}, {"PARENT_ID", "<b>"}, {"STATUS", "2"}},
         "There is no parent category with ID &lt;b&gt;."},
        {NewCategoryTarget, {{"TITLE", "X"}, {"STATUS", "2"}}, "There is no parent category with ID ."},
        {NewCategoryTarget,
         {{"TITLE", "X"}, {"PARENT_ID", symbolic}, {"STATUS", "2"}},
         "There is no parent category with ID " + symbolic},
        {NewCategoryTarget, {{"TITLE", "X"}, {"PARENT_ID", "0"}}, "The status must be 1 (inactive) or 2 (active)."},
        {NewSymbolicTarget,
         {{"TITLE", "X"}, {"PARENT_ID", "0"}, {"SYMBOLIC_ID", "999"}, {"STATUS", "2"}},
         "There is no category with ID 999 to stand for."},
        {NewSymbolicTarget,
         {{"TITLE", "X"}, {"PARENT_ID", "0"}, {"SYMBOLIC_ID", symbolic}, {"STATUS", "2"}},
         "There is no category with ID " + symbolic},
        {NewSymbolicTarget,
         {{"TITLE", "X"}, {"PARENT_ID", "42"}, {"SYMBOLIC_ID", arts}, {"STATUS", "2"}},
         "There is no parent category with ID 42."},
        {NewSymbolicTarget,
         {{"PARENT_ID", "0"}, {"SYMBOLIC_ID", arts}, {"STATUS", "2"}},
         "The category title is missing."},
    };
    for (const TCase& c : cases) {
        const TRawHttpResponse answer = Admin.Post(c.Target, c.Fields);
        EXPECT_EQ(answer.Status, 200);
        EXPECT_NE(answer.Body.find("<p class=\"error\">" + c.Error), std::string::npos) << c.Error << "\n"
                                                                                        << answer.Body;
        EXPECT_EQ(ListedId(answer.Body, "Arts"), arts);
    }
    EXPECT_EQ(PublicPage(), before);
}

TEST_F(LegacyForm, UnknownActionIsNotFound)
{
    EXPECT_EQ(Admin.Get("/admin/dir_categs_edit.php?action=E").Status, 404);
    EXPECT_EQ(Admin.Get("/admin/dir_categs_edit.php").Status, 404);
}
