#include "model/tree/EntryPaths.h"

#include "TreeFixtures.h"

#include <gtest/gtest.h>

namespace {

// The paths the preview names entries by are the paths a symbolic category's target is typed as.
TEST(EntryPaths, NameEntriesAsTheFeedDoesAndFindTheCategoryOfAPath)
{
    TCategoryTree tree;
    TTreeNode& arts = tree.AddNode(nullptr, "Arts", MakeCategory(u"Arts", 1));
    TTreeNode& slash = tree.AddNode(&arts, "AC/DC", MakeCategory(u"AC/DC", 2));
    TTreeNode& back = tree.AddNode(&slash, "back\\slash", MakeCategory(u"back\\slash", 3));
    auto link = std::make_unique<TSymbolicCategory>();
    link->Name = u"Songs";
    tree.AddNode(&arts, "Songs@", std::move(link));
    TTreeNode& songs = tree.AddNode(&arts, "Songs", MakeCategory(u"Songs", 4));

    EXPECT_EQ(PathOfNode(back), "Arts/AC\\/DC/back\\\\slash");
    EXPECT_EQ(StepsOfPath(PathOfNode(back)), (std::vector<std::string>{"Arts", "AC/DC", "back\\slash"}));
    EXPECT_EQ(StepsOfPath("a\\tb/c\\nd"), (std::vector<std::string>{"a\tb", "c\nd"}));
    EXPECT_EQ(FindCategoryNodeByPath(tree, PathOfNode(back)), &back);
    EXPECT_EQ(FindCategoryNodeByPath(tree, "Arts/Songs"), &songs) << "a symbolic category is no category of a path";
    EXPECT_EQ(FindCategoryNodeByPath(tree, "Arts/AC/DC"), nullptr);
    EXPECT_EQ(FindCategoryNodeByPath(tree, "arts"), nullptr);
    EXPECT_EQ(FindCategoryNodeByPath(tree, ""), nullptr);
}

}  // namespace
