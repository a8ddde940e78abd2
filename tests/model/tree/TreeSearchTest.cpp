#include "TreeFixtures.h"

#include "model/tree/TreeSearch.h"

#include <gtest/gtest.h>

namespace {

// "Depth:Text" per row, "*" before the text of a matching row.
std::vector<std::string> Shown(const TFoundEntries& found)
{
    std::vector<std::string> rows;
    for (const auto& row : found.Rows)
        rows.push_back(std::to_string(row.Depth) + ":" + (row.Matches ? "*" : "") + row.Node->Text());
    return rows;
}

class TreeSearch : public ::testing::Test {
protected:
    // Arts { Music { Jazz, Café music }, Sounds@ }, Science { Cafe physics }
    TreeSearch()
    {
        TTreeNode& arts = Tree.AddNode(nullptr, "Arts", MakeCategory(u"Arts", 1));
        TTreeNode& music = Tree.AddNode(&arts, "Music", MakeCategory(u"Music", 2));
        Tree.AddNode(&music, "Jazz", MakeCategory(u"Jazz", 3));
        Tree.AddNode(&music, "Caf\xc3\xa9 music", MakeCategory(u"Caf\u00e9 music", 4));
        Tree.AddNode(&arts, "Sounds@", MakeSymbolic(u"Sounds", 1, u"Top/Arts/Music"));
        TTreeNode& science = Tree.AddNode(nullptr, "Science", MakeCategory(u"Science", 5));
        Tree.AddNode(&science, "Cafe physics", MakeCategory(u"Cafe physics", 6));
    }

    TCategoryTree Tree;
};

TEST_F(TreeSearch, ShowsTheMatchingEntriesWithTheirAncestorsInTreeOrder)
{
    const TTreeSearch search(Tree);
    const TFoundEntries found = search.Find(u"MUSIC");
    EXPECT_EQ(Shown(found), (std::vector<std::string>{"0:Arts", "1:*Music", "2:*Caf\xc3\xa9 music"}));
    EXPECT_EQ(found.MatchRows, (std::vector<std::size_t>{1, 2}));
    EXPECT_EQ(Shown(search.Find(u"ic")),
              (std::vector<std::string>{"0:Arts", "1:*Music", "2:*Caf\xc3\xa9 music", "0:Science", "1:*Cafe physics"}));
}

// The name is what counts: the "@" of a symbolic category's text is no part of it.
TEST_F(TreeSearch, MatchesNamesWithoutRegardToCaseButWithTheirAccents)
{
    const TTreeSearch search(Tree);
    EXPECT_EQ(Shown(search.Find(u"CAF\u00c9")),
              (std::vector<std::string>{"0:Arts", "1:Music", "2:*Caf\xc3\xa9 music"}));
    EXPECT_EQ(Shown(search.Find(u"cafe")), (std::vector<std::string>{"0:Science", "1:*Cafe physics"}));
    EXPECT_TRUE(search.Find(u"@").Rows.empty());
    EXPECT_TRUE(search.Find(u"sjazz").Rows.empty()) << "no match across two names";
    EXPECT_TRUE(search.Find(u"Arts Music").Rows.empty());
    EXPECT_EQ(search.Find(u"").MatchRows.size(), Tree.Count());
}

TEST_F(TreeSearch, AnEntryCountsOnceHoweverOftenItsNameHoldsTheText)
{
    Tree.AddNode(nullptr, "aaaa", MakeCategory(u"aaaa", 7));
    const TFoundEntries found = TTreeSearch(Tree).Find(u"aa");
    EXPECT_EQ(Shown(found), std::vector<std::string>{"0:*aaaa"});
    EXPECT_EQ(found.MatchRows.size(), 1u);
}

TEST_F(TreeSearch, TellsWhenTheTreeHasChangedSinceItWasBuilt)
{
    const TTreeSearch search(Tree);
    EXPECT_TRUE(search.IsCurrent(Tree));
    TCategoryTree other;
    EXPECT_FALSE(search.IsCurrent(other));
    Tree.SetNodeText(*Tree.FirstNode(), "Fine arts");
    EXPECT_FALSE(search.IsCurrent(Tree));
    const TTreeSearch again(Tree);
    Tree.AddNode(nullptr, "More", MakeCategory(u"More", 8));
    EXPECT_FALSE(again.IsCurrent(Tree));
}

}  // namespace
