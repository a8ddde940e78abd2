#include "app/EntryPaths.h"
#include "model/Category.h"
#include "model/tree/CategoryTree.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<TBaseCategory> Category(const std::u16string& name)
{
    auto category = std::make_unique<TCategory>();
    category->Name = name;
    return category;
}

// The paths the preview names entries by are the paths a symbolic category's target is typed as.
TEST(EntryPaths, NameEntriesAsTheFeedDoesAndFindTheCategoryOfAPath)
{
    TCategoryTree tree;
    TTreeNode& arts = tree.AddNode(nullptr, "Arts", Category(u"Arts"));
    TTreeNode& slash = tree.AddNode(&arts, "AC/DC", Category(u"AC/DC"));
    TTreeNode& back = tree.AddNode(&slash, "back\\slash", Category(u"back\\slash"));
    auto link = std::make_unique<TSymbolicCategory>();
    link->Name = u"Songs";
    tree.AddNode(&arts, "Songs@", std::move(link));
    TTreeNode& songs = tree.AddNode(&arts, "Songs", Category(u"Songs"));

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
