#include "TreeFixtures.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class TRecordingObserver : public TCategoryTreeObserver {
public:
    std::vector<std::string> Events;

    void BranchAboutToBeAdded(TTreeNode* parent, int row) override
    {
        Events.push_back("add " + (parent ? parent->Text() : std::string("<top>")) + " " + std::to_string(row));
    }
    void BranchAdded() override { Events.push_back("added"); }
    void BranchAboutToBeRemoved(TTreeNode& node) override
    {
        Events.push_back("remove " + node.Text() + " " + std::to_string(node.Row()));
    }
    void BranchRemoved() override { Events.push_back("removed"); }
    void NodeTextChanged(TTreeNode& node) override { Events.push_back("text " + node.Text()); }
};

// Arts(1) { Music(2) { Jazz(3) }, Sounds@ }, Science(4)
void AddExample(TCategoryTree& tree)
{
    TTreeNode& arts = tree.AddNode(nullptr, "Arts", MakeCategory(u"Arts", 1));
    TTreeNode& music = tree.AddNode(&arts, "Music", MakeCategory(u"Music", 2));
    tree.AddNode(&music, "Jazz", MakeCategory(u"Jazz", 3));
    tree.AddNode(&arts, "Sounds@", MakeSymbolic(u"Sounds", 1, u"Top/Arts/Music"));
    tree.AddNode(nullptr, "Science", MakeCategory(u"Science", 4));
}

TEST(CategoryTree, NodesKnowTheirPlaceAndNeighbours)
{
    TCategoryTree tree;
    AddExample(tree);
    EXPECT_EQ(Outline(tree), (std::vector<std::string>{"Arts", "  Music", "    Jazz", "  Sounds@", "Science"}));
    EXPECT_EQ(tree.Count(), 5u);
    TTreeNode* arts = tree.FirstNode();
    ASSERT_NE(arts, nullptr);
    EXPECT_EQ(arts->Parent(), nullptr);
    EXPECT_EQ(arts->NextSibling()->Text(), "Science");
    EXPECT_EQ(arts->NextSibling()->NextSibling(), nullptr);
    TTreeNode* music = arts->FirstChild();
    EXPECT_EQ(music->Parent(), arts);
    EXPECT_EQ(music->NextSibling()->Text(), "Sounds@");
    EXPECT_EQ(music->NextSibling()->Row(), 1);
}

TEST(CategoryTree, TellsTheObserverBeforeAndAfterEveryChange)
{
    TCategoryTree tree;
    TRecordingObserver observer;
    tree.SetObserver(&observer);
    AddExample(tree);
    tree.DeleteNode(*tree.FirstNode()->FirstChild());
    EXPECT_EQ(observer.Events,
              (std::vector<std::string>{"add <top> 0", "added", "add Arts 0", "added", "add Music 0", "added",
                                        "add Arts 1", "added", "add <top> 1", "added", "remove Music 0", "removed"}));
}

TEST(CategoryTree, DeletionRunsForEveryNodeChildrenFirstWhileTheBranchIsInPlace)
{
    TCategoryTree tree;
    AddExample(tree);
    std::vector<std::string> deleted;
    tree.SetOnDeletion([&](TTreeNode& node) {
        EXPECT_NE(node.Data(), nullptr) << node.Text();
        deleted.push_back(node.Text());
        node.FreeData();
    });
    tree.DeleteNode(*tree.FirstNode());
    EXPECT_EQ(deleted, (std::vector<std::string>{"Jazz", "Music", "Sounds@", "Arts"}));
    EXPECT_EQ(Outline(tree), std::vector<std::string>{"Science"});
    EXPECT_EQ(tree.FirstNode()->Row(), 0);
    EXPECT_EQ(tree.Count(), 1u);
}

TEST(CategoryTree, FindsTheFirstCategoryNodeOfAnIdInTreeOrder)
{
    TCategoryTree tree;
    AddExample(tree);
    AddExample(tree);
    TTreeNode* firstArts = tree.TopLevelNodes()[0].get();
    TTreeNode* secondArts = tree.TopLevelNodes()[2].get();
    EXPECT_EQ(tree.FindFirstCategoryNode(1), firstArts);
    EXPECT_EQ(tree.FindFirstCategoryNode(3)->Parent()->Parent(), firstArts);
    EXPECT_EQ(tree.FindFirstCategoryNode(99), nullptr);

    tree.DeleteNode(*firstArts);
    EXPECT_EQ(tree.FindFirstCategoryNode(1), secondArts);
    EXPECT_EQ(tree.FindFirstCategoryNode(3)->Parent()->Parent(), secondArts);
    tree.DeleteNode(*secondArts);
    EXPECT_EQ(tree.FindFirstCategoryNode(1), nullptr);
    EXPECT_EQ(tree.FindFirstCategoryNode(4), tree.TopLevelNodes()[0].get());
}

TEST(CategoryTree, FindParentCategoryGivesTheRecordAboveTheFirstNodeOfTheId)
{
    TCategoryTree tree;
    AddExample(tree);
    TTreeNode& sounds = *tree.FirstNode()->FirstChild()->NextSibling();
    tree.AddNode(&sounds, "Under a symbolic category", MakeCategory(u"Inner", 5));
    tree.AddNode(nullptr, "Music again", MakeCategory(u"Music", 2));

    EXPECT_EQ(tree.FindParentCategory(3), tree.FirstNode()->FirstChild()->Data());
    EXPECT_EQ(tree.FindParentCategory(2), tree.FirstNode()->Data()) << "the first node of the ID decides";
    EXPECT_EQ(tree.FindParentCategory(5), sounds.Data()) << "any record can be a parent";
    EXPECT_EQ(tree.FindParentCategory(1), nullptr) << "top-level";
    EXPECT_EQ(tree.FindParentCategory(99), nullptr) << "no node carries the ID";
}

TEST(CategoryTree, SymbolicCategoriesAreNotFoundByTheirParentId)
{
    TCategoryTree tree;
    tree.AddNode(nullptr, "Sounds@", MakeSymbolic(u"Sounds", 7, u"x"));
    EXPECT_EQ(tree.FindFirstCategoryNode(7), nullptr);
    EXPECT_EQ(tree.FindFirstCategoryNode(0), nullptr);
}

TEST(CategoryTree, ZeroAndNegativeIdsAreFoundLikeAnyOther)
{
    TCategoryTree tree;
    TTreeNode& zero = tree.AddNode(nullptr, "Zero", MakeCategory(u"Zero", 0));
    TTreeNode& negative = tree.AddNode(nullptr, "Negative", MakeCategory(u"Negative", -5));
    EXPECT_EQ(tree.FindFirstCategoryNode(0), &zero);
    EXPECT_EQ(tree.FindFirstCategoryNode(-5), &negative);
}

// Loads only append, but a branch added under an earlier node must still be found in tree
// order, before nodes of the same ID that come later in the tree.
TEST(CategoryTree, ABranchAddedInTheMiddleTakesItsPlaceInTreeOrder)
{
    TCategoryTree tree;
    TTreeNode& first = tree.AddNode(nullptr, "First", MakeCategory(u"First", 1));
    tree.AddNode(nullptr, "Later", MakeCategory(u"Later", 5));
    TTreeNode& last = tree.AddNode(nullptr, "Last", MakeCategory(u"Last", 5));
    EXPECT_EQ(tree.FindFirstCategoryNode(5)->Text(), "Later");

    TTreeNode& early = tree.AddNode(&first, "Early", MakeCategory(u"Early", 5));
    EXPECT_EQ(tree.FindFirstCategoryNode(5), &early);
    tree.DeleteNode(early);
    EXPECT_EQ(tree.FindFirstCategoryNode(5)->Text(), "Later");
    tree.DeleteNode(*tree.FindFirstCategoryNode(5));
    EXPECT_EQ(tree.FindFirstCategoryNode(5), &last);

    // Between two nodes of the ID, under the node in the middle.
    TTreeNode& middle = tree.AddNode(nullptr, "Middle", MakeCategory(u"Middle", 8));
    tree.AddNode(nullptr, "End", MakeCategory(u"End", 9));
    TTreeNode& inside = tree.AddNode(&middle, "Inside", MakeCategory(u"Inside", 9));
    EXPECT_EQ(tree.FindFirstCategoryNode(9), &inside);
}

TEST(CategoryTree, ComparesNodesInPreOrder)
{
    TCategoryTree tree;
    AddExample(tree);
    const TTreeNode& arts = *tree.FirstNode();
    const TTreeNode& music = *arts.FirstChild();
    const TTreeNode& jazz = *music.FirstChild();
    const TTreeNode& sounds = *music.NextSibling();
    const TTreeNode& science = *arts.NextSibling();
    EXPECT_TRUE(ComesBeforeInTree(arts, jazz));
    EXPECT_FALSE(ComesBeforeInTree(jazz, arts));
    EXPECT_TRUE(ComesBeforeInTree(jazz, sounds));
    EXPECT_TRUE(ComesBeforeInTree(sounds, science));
    EXPECT_FALSE(ComesBeforeInTree(science, music));
    EXPECT_FALSE(ComesBeforeInTree(music, music));
}

// What an undo of a delete or a move needs of the tree: a branch taken out whole, without the
// deletion callback, and put back in any place, the ID index following.
TEST(CategoryTree, ABranchTakenOutKeepsItsRecordsAndGoesBackInAnyPlace)
{
    TCategoryTree tree;
    AddExample(tree);
    TRecordingObserver observer;
    tree.SetObserver(&observer);
    tree.SetOnDeletion([](TTreeNode& node) { ADD_FAILURE() << "deletion callback for " << node.Text(); });
    TTreeNode* music = tree.FirstNode()->FirstChild();
    TTreeNode* jazz = music->FirstChild();
    const std::uint64_t before = tree.Generation();

    std::unique_ptr<TTreeNode> branch = tree.DetachBranch(*music);
    EXPECT_EQ(Outline(tree), (std::vector<std::string>{"Arts", "  Sounds@", "Science"}));
    EXPECT_EQ(tree.Count(), 3u);
    EXPECT_EQ(tree.FirstNode()->FirstChild()->Row(), 0);
    EXPECT_FALSE(tree.Contains(*music));
    EXPECT_FALSE(tree.Contains(*jazz));
    EXPECT_TRUE(tree.Contains(*tree.FirstNode()->FirstChild()));
    EXPECT_EQ(music->Parent(), nullptr);
    EXPECT_EQ(music->NextSibling(), nullptr);
    EXPECT_EQ(tree.FindFirstCategoryNode(3), nullptr);
    EXPECT_NE(jazz->Data(), nullptr);
    EXPECT_GT(tree.Generation(), before);

    TTreeNode& science = *tree.TopLevelNodes()[1];
    tree.InsertBranch(nullptr, 1, std::move(branch));
    EXPECT_EQ(Outline(tree), (std::vector<std::string>{"Arts", "  Sounds@", "Music", "  Jazz", "Science"}));
    EXPECT_EQ(science.Row(), 2);
    EXPECT_TRUE(tree.Contains(*jazz));
    EXPECT_EQ(tree.FindFirstCategoryNode(3), jazz);
    EXPECT_EQ(tree.FindParentCategory(3), music->Data());
    EXPECT_EQ(tree.Count(), 5u);

    tree.InsertBranch(&science, 0, tree.DetachBranch(*music));
    EXPECT_EQ(Outline(tree), (std::vector<std::string>{"Arts", "  Sounds@", "Science", "  Music", "    Jazz"}));
    EXPECT_EQ(tree.FindParentCategory(2), science.Data());
    EXPECT_EQ(observer.Events, (std::vector<std::string>{"remove Music 0", "removed", "add <top> 1", "added",
                                                         "remove Music 1", "removed", "add Science 0", "added"}));
    tree.SetOnDeletion({});
}

// Two nodes of one ID: moving the later one before the earlier one makes it the first.
TEST(CategoryTree, ABranchPutBackBeforeAnotherNodeOfItsIdComesFirst)
{
    TCategoryTree tree;
    TTreeNode& first = tree.AddNode(nullptr, "First", MakeCategory(u"First", 5));
    TTreeNode& second = tree.AddNode(nullptr, "Second", MakeCategory(u"Second", 5));
    EXPECT_EQ(tree.FindFirstCategoryNode(5), &first);
    tree.InsertBranch(nullptr, 0, tree.DetachBranch(second));
    EXPECT_EQ(tree.FindFirstCategoryNode(5), &second);
    tree.SetNodeText(first, "Renamed");
    EXPECT_EQ(tree.FindFirstCategoryNode(5), &second);
}

// The lookup the feed makes for a symbolic category's target: the first category in tree order
// whose Url matches without regard to case, never a symbolic category, and always for the tree
// as it is now.
TEST(CategoryTree, FindsTheFirstCategoryOfAUrlInTreeOrderAsTheTreeChanges)
{
    TCategoryTree tree;
    tree.AddNode(nullptr, "Link@", MakeSymbolic(u"Link", 1, u"Top/Arts"));
    TTreeNode& arts = tree.AddNode(nullptr, "Arts", MakeCategory(u"Arts", 1, u"Top/Arts"));
    TTreeNode& again = tree.AddNode(nullptr, "Arts", MakeCategory(u"Arts", 2, u"TOP/ARTS"));
    TTreeNode& greek = tree.AddNode(nullptr, "Greek", MakeCategory(u"Greek", 3, u"Top/\u0391\u03b8\u03ae\u03bd\u03b1"));
    EXPECT_EQ(tree.FindCategoryNodeByUrl(u"top/arts"), &arts);
    EXPECT_EQ(tree.FindCategoryByUrl(u"Top/\u03b1\u0398\u0389\u039d\u0391"), greek.Data());
    EXPECT_EQ(tree.FindCategoryByUrl(u"Top/Art"), nullptr);

    tree.InsertBranch(nullptr, 0, tree.DetachBranch(again));
    EXPECT_EQ(tree.FindCategoryNodeByUrl(u"top/arts"), &again);
    tree.DeleteNode(again);
    EXPECT_EQ(tree.FindCategoryNodeByUrl(u"top/arts"), &arts);
    tree.SetCategoryUrl(arts, u"Top/Kunst");
    EXPECT_EQ(tree.FindCategoryNodeByUrl(u"top/arts"), nullptr);
    EXPECT_EQ(tree.FindCategoryByID(1), arts.Data());
    EXPECT_EQ(tree.FindCategoryByUrl(u"TOP/KUNST"), arts.Data());
}

TEST(CategoryTree, CountsCategoriesAndSymbolicCategoriesThroughEveryChange)
{
    TCategoryTree tree;
    AddExample(tree);
    EXPECT_EQ(tree.CategoryCount(), 4u);
    EXPECT_EQ(tree.SymbolicCount(), 1u);
    EXPECT_EQ(tree.LargestCategoryID(), 4);
    std::unique_ptr<TTreeNode> arts = tree.DetachBranch(*tree.FirstNode());
    EXPECT_EQ(tree.CategoryCount(), 1u);
    EXPECT_EQ(tree.SymbolicCount(), 0u);
    tree.AddBranch(nullptr, std::move(arts));
    tree.SetOnDeletion([](TTreeNode& node) { node.FreeData(); });
    tree.Clear();
    EXPECT_EQ(tree.CategoryCount(), 0u);
    EXPECT_EQ(tree.SymbolicCount(), 0u);
    EXPECT_EQ(tree.LargestCategoryID(), std::nullopt);
}

}  // namespace
