#include "TreeFixtures.h"

#include "common/core/Text.h"
#include "model/tree/AddCommand.h"
#include "model/tree/DeleteCommand.h"
#include "model/tree/DocumentOfTree.h"
#include "model/tree/MoveCommand.h"
#include "model/tree/NewEntryRecords.h"
#include "model/tree/RenameCommand.h"
#include "model/tree/TreeBinding.h"
#include "model/tree/TreeEditErrors.h"

#include <gtest/gtest.h>

#include <limits>
#include <map>
#include <optional>
#include <random>

namespace {

// A record that says when it is freed.
class TTrackedCategory : public TCategory {
public:
    explicit TTrackedCategory(bool& freed) : Freed(freed) { Name = u"Tracked"; }
    ~TTrackedCategory() override { Freed = true; }

private:
    bool& Freed;
};

// What must come back exactly after an undo: the tree's shape and texts, the document's
// arrays (the very records, in order), and the records' values.
struct TSnapshot {
    std::vector<std::string> Outline;
    std::vector<const void*> Categories;
    std::vector<const void*> SymbolicCategories;
    std::vector<std::u16string> Values;

    bool operator==(const TSnapshot&) const = default;
};

class TreeCommands : public ::testing::Test {
protected:
    // Arts(1) { Music(2) { Jazz(3) }, Sounds@ -> Music }, Science(4) { Physics(5), Links@ -> Arts }
    TreeCommands()
    {
        TTreeNode& arts = Add(nullptr, MakeCategory(u"Arts", 1, u"Top/Arts"));
        TTreeNode& music = Add(&arts, MakeCategory(u"Music", 2, u"Top/Arts/Music"));
        Add(&music, MakeCategory(u"Jazz", 3, u"Top/Arts/Music/Jazz"));
        Add(&arts, MakeSymbolic(u"Sounds", 1, u"Top/Arts/Music"));
        TTreeNode& science = Add(nullptr, MakeCategory(u"Science", 4, u"Top/Science"));
        Add(&science, MakeCategory(u"Physics", 5, u"Top/Science/Physics"));
        Add(&science, MakeSymbolic(u"Links", 4, u"Top/Arts"));
        Tree.SetOnDeletion([](TTreeNode& node) { node.FreeData(); });
    }

    TTreeNode& Add(TTreeNode* parent, std::unique_ptr<TBaseCategory> record)
    {
        std::string text = NodeTextOf(*record);
        return Tree.AddNode(parent, std::move(text), std::move(record));
    }

    TTreeNode& Node(const std::string& text) const
    {
        for (const TTreeNode* node = Tree.FirstNode(); node; node = NextInPreOrder(*node))
            if (node->Text() == text)
                return const_cast<TTreeNode&>(*node);
        throw std::runtime_error("no node " + text);
    }

    static const TTreeNode* NextInPreOrder(const TTreeNode& node)
    {
        if (node.FirstChild())
            return node.FirstChild();
        for (const TTreeNode* n = &node; n; n = n->Parent())
            if (n->NextSibling())
                return n->NextSibling();
        return nullptr;
    }

    std::vector<std::u16string> Names(bool symbolic) const
    {
        const TDmoz document = DocumentOfTree(Tree);
        std::vector<std::u16string> names;
        if (symbolic)
            for (const TSymbolicCategory* link : document.SymbolicCategories)
                names.push_back(link->Name);
        else
            for (const TCategory* category : document.Categories)
                names.push_back(category->Name);
        return names;
    }

    // The tree's indexes answer as a walk of the tree in tree order would: the feed, the window
    // and new IDs rely on them.
    void ExpectIndexesFollowTheTree() const
    {
        std::map<std::int32_t, const TTreeNode*> firstOfID;
        std::map<std::u16string, const TTreeNode*> firstOfUrl;
        std::size_t symbolic = 0;
        for (const TTreeNode* node = Tree.FirstNode(); node; node = NextInPreOrder(*node)) {
            if (const auto* category = dynamic_cast<const TCategory*>(node->Data())) {
                firstOfID.emplace(category->ID, node);
                firstOfUrl.emplace(category->Url, node);
            } else {
                ++symbolic;
            }
        }
        EXPECT_EQ(Tree.CategoryCount() + symbolic, Tree.Count());
        EXPECT_EQ(Tree.SymbolicCount(), symbolic);
        for (const auto& [id, node] : firstOfID)
            EXPECT_EQ(Tree.FindFirstCategoryNode(id), node) << "ID " << id;
        for (const auto& [url, node] : firstOfUrl)
            EXPECT_EQ(Tree.FindCategoryNodeByUrl(url), node) << Utf16ToUtf8(url);
        EXPECT_EQ(Tree.LargestCategoryID(),
                  firstOfID.empty() ? std::nullopt : std::optional(firstOfID.rbegin()->first));
    }

    TSnapshot Snapshot() const
    {
        const TDmoz document = DocumentOfTree(Tree);
        TSnapshot snapshot{Outline(Tree), {}, {}, {}};
        for (const TCategory* category : document.Categories) {
            snapshot.Categories.push_back(category);
            snapshot.Values.push_back(category->Name + u"|" + category->Url + u"|" +
                                      Utf8ToUtf16(std::to_string(category->ID)));
        }
        for (const TSymbolicCategory* link : document.SymbolicCategories) {
            snapshot.SymbolicCategories.push_back(link);
            snapshot.Values.push_back(link->Name + u"|" + link->Url + u"|" + Utf8ToUtf16(std::to_string(link->Parent)));
        }
        return snapshot;
    }

    TCategoryTree Tree;
};

TEST_F(TreeCommands, AddGivesANewIdAndTheUrlOfItsPlaceAndKeepsTheDocumentInTreeOrder)
{
    const TSnapshot before = Snapshot();
    TTreeNode& music = Node("Music");
    TAddCommand add(Tree, &music, NewCategoryRecord(Tree, &music, u"Free jazz"));
    add.Do();
    EXPECT_EQ(Outline(Tree), (std::vector<std::string>{"Arts", "  Music", "    Jazz", "    Free jazz", "  Sounds@",
                                                       "Science", "  Physics", "  Links@"}));
    const auto* added = dynamic_cast<const TCategory*>(add.Node().Data());
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->ID, 6);
    EXPECT_EQ(added->Url, u"Top/Arts/Music/Free_jazz");
    EXPECT_EQ(Names(false),
              (std::vector<std::u16string>{u"Arts", u"Music", u"Jazz", u"Free jazz", u"Science", u"Physics"}));
    EXPECT_EQ(Tree.FindParentCategory(6), music.Data());
    ExpectIndexesFollowTheTree();

    add.Undo();
    EXPECT_EQ(Snapshot(), before);
    EXPECT_EQ(Tree.FindFirstCategoryNode(6), nullptr);
    add.Do();
    EXPECT_EQ(Tree.FindFirstCategoryNode(6), &add.Node()) << "a redo adds the same node";
    ExpectIndexesFollowTheTree();

    TAddCommand top(Tree, nullptr, NewCategoryRecord(Tree, nullptr, u"Home and garden"));
    top.Do();
    EXPECT_EQ(Outline(Tree).back(), "Home and garden");
    EXPECT_EQ(dynamic_cast<const TCategory&>(*top.Node().Data()).Url, u"Top/Home_and_garden");
    EXPECT_EQ(dynamic_cast<const TCategory&>(*top.Node().Data()).ID, 7);
    ExpectIndexesFollowTheTree();
    top.Undo();
    add.Undo();
    EXPECT_EQ(Snapshot(), before);
}

TEST_F(TreeCommands, AddOfASymbolicCategoryTakesItsPlaceAmongTheSymbolicOnes)
{
    const TSnapshot before = Snapshot();
    TTreeNode& arts = Node("Arts");
    const auto& physics = dynamic_cast<const TCategory&>(*Node("Physics").Data());
    TAddCommand add(Tree, &arts, NewSymbolicRecord(physics, dynamic_cast<const TCategory&>(*arts.Data())));
    add.Do();
    EXPECT_EQ(Outline(Tree)[4], "  Physics@");
    EXPECT_EQ(Names(true), (std::vector<std::u16string>{u"Sounds", u"Physics", u"Links"}));
    const auto& link = dynamic_cast<const TSymbolicCategory&>(*add.Node().Data());
    EXPECT_EQ(link.Url, u"Top/Science/Physics");
    EXPECT_EQ(link.Parent, 1);
    ExpectIndexesFollowTheTree();
    add.Undo();
    EXPECT_EQ(Snapshot(), before);
}

TEST_F(TreeCommands, ARenameStraightAfterAnAddGivesTheNewCategoryTheUrlOfItsName)
{
    TTreeNode& science = Node("Science");
    TAddCommand add(Tree, &science, NewCategoryRecord(Tree, &science, u"New category"));
    add.Do();
    EXPECT_EQ(Tree.FindCategoryNodeByUrl(u"TOP/science/new_category"), &add.Node());
    TRenameCommand rename(Tree, add.Node(), u"Computer science");
    rename.Do();
    EXPECT_TRUE(add.TakeOverRename(rename));
    EXPECT_EQ(dynamic_cast<const TCategory&>(*add.Node().Data()).Url, u"Top/Science/Computer_science");
    EXPECT_EQ(Tree.FindCategoryNodeByUrl(u"Top/Science/New_category"), nullptr);
    EXPECT_EQ(Tree.FindCategoryNodeByUrl(u"Top/Science/Computer_science"), &add.Node());
    EXPECT_EQ(add.Node().Text(), "Computer science");

    TRenameCommand other(Tree, Node("Physics"), u"Astronomy");
    other.Do();
    EXPECT_FALSE(add.TakeOverRename(other));
    EXPECT_EQ(dynamic_cast<const TCategory&>(*Node("Astronomy").Data()).Url, u"Top/Science/Physics");
}

TEST_F(TreeCommands, NewIdsAreOneMoreThanTheLargestAndRunOutAtTheLargestInteger)
{
    EXPECT_EQ(NextCategoryID(TCategoryTree()), 1);
    EXPECT_EQ(NextCategoryID(Tree), 6);
    TCategoryTree other;
    other.AddNode(nullptr, "Below zero", MakeCategory(u"Below zero", -7));
    EXPECT_EQ(NextCategoryID(other), -6);
    other.AddNode(nullptr, "Forty", MakeCategory(u"Forty", 40));
    EXPECT_EQ(NextCategoryID(other), 41);
    other.AddNode(nullptr, "Largest", MakeCategory(u"Largest", std::numeric_limits<std::int32_t>::max()));
    EXPECT_THROW(NewCategoryRecord(other, nullptr, u"One too many"), ETreeEdit);
}

TEST_F(TreeCommands, RenameAndItsUndoChangeNameAndTextTogether)
{
    TTreeNode& sounds = Node("Sounds@");
    TRenameCommand rename(Tree, sounds, u"Noises");
    EXPECT_EQ(rename.Text(), "Rename Sounds");
    rename.Do();
    EXPECT_EQ(sounds.Data()->Name, u"Noises");
    EXPECT_EQ(sounds.Text(), "Noises@");
    EXPECT_EQ(sounds.Data()->Url, u"Top/Arts/Music") << "a rename keeps the Url";
    rename.Undo();
    EXPECT_EQ(sounds.Data()->Name, u"Sounds");
    EXPECT_EQ(sounds.Text(), "Sounds@");
}

// As DeleteBranch, but the branch waits in the command for an undo, and is freed with it.
TEST_F(TreeCommands, DeleteTakesTheBranchOutAndUndoPutsTheSameRecordsBackInTheirPlaces)
{
    const TSnapshot before = Snapshot();
    bool freed = false;
    TTreeNode& arts = Node("Arts");
    Tree.AddNode(&Node("Music"), "Tracked", std::make_unique<TTrackedCategory>(freed));
    const TSnapshot withTracked = Snapshot();
    Tree.SetOnDeletion([](TTreeNode& node) { ADD_FAILURE() << "deletion callback for " << node.Text(); });
    {
        TDeleteCommand remove(Tree, arts);
        EXPECT_EQ(remove.Text(), "Delete Arts");
        remove.Do();
        EXPECT_EQ(Outline(Tree), (std::vector<std::string>{"Science", "  Physics", "  Links@"}));
        EXPECT_EQ(Names(false), (std::vector<std::u16string>{u"Science", u"Physics"}));
        EXPECT_EQ(Names(true), std::vector<std::u16string>{u"Links"});
        EXPECT_EQ(Tree.FindFirstCategoryNode(2), nullptr);
        EXPECT_FALSE(freed);

        remove.Undo();
        EXPECT_EQ(Snapshot(), withTracked);
        EXPECT_EQ(Tree.FirstNode(), &arts);
        EXPECT_EQ(Tree.FindFirstCategoryNode(3)->Parent(), &Node("Music"));
        remove.Do();
    }
    EXPECT_TRUE(freed) << "the deleted branch goes with the command";
    Tree.SetOnDeletion([](TTreeNode& node) { node.FreeData(); });

    TDeleteCommand leaf(Tree, Node("Physics"));
    leaf.Do();
    leaf.Undo();
    EXPECT_EQ(Snapshot().Outline, std::vector<std::string>(before.Outline.begin() + 4, before.Outline.end()));
    ExpectIndexesFollowTheTree();
}

TEST_F(TreeCommands, MoveKeepsIdsUrlsAndTextsAndPutsTheRecordsInTreeOrder)
{
    const TSnapshot before = Snapshot();
    TTreeNode& music = Node("Music");
    TMoveCommand move(Tree, music, &Node("Science"));
    move.Do();
    EXPECT_EQ(Outline(Tree), (std::vector<std::string>{"Arts", "  Sounds@", "Science", "  Physics", "  Links@",
                                                       "  Music", "    Jazz"}));
    EXPECT_EQ(Names(false), (std::vector<std::u16string>{u"Arts", u"Science", u"Physics", u"Music", u"Jazz"}));
    EXPECT_EQ(dynamic_cast<const TCategory&>(*music.Data()).ID, 2);
    EXPECT_EQ(music.Data()->Url, u"Top/Arts/Music");
    EXPECT_EQ(Tree.FindParentCategory(2), Node("Science").Data());
    ExpectIndexesFollowTheTree();
    move.Undo();
    EXPECT_EQ(Snapshot(), before);

    // To a place among siblings, counted as they were before the move.
    TMoveCommand toTop(Tree, Node("Science"), nullptr, 0);
    toTop.Do();
    EXPECT_EQ(Outline(Tree).front(), "Science");
    ExpectIndexesFollowTheTree();
    TMoveCommand down(Tree, Node("Science"), nullptr, 2);
    down.Do();
    EXPECT_EQ(Outline(Tree).front(), "Arts");
    EXPECT_EQ(Outline(Tree)[4], "Science");
    TMoveCommand symbolic(Tree, Node("Links@"), &Node("Music"), 0);
    symbolic.Do();
    EXPECT_EQ(Names(true), (std::vector<std::u16string>{u"Links", u"Sounds"}));
    ExpectIndexesFollowTheTree();
    symbolic.Undo();
    down.Undo();
    toTop.Undo();
    EXPECT_EQ(Snapshot(), before);
}

TEST_F(TreeCommands, AMoveIntoTheBranchItselfIsRefusedBeforeAnythingChanges)
{
    const TSnapshot before = Snapshot();
    TTreeNode& arts = Node("Arts");
    EXPECT_THROW(TMoveCommand(Tree, arts, &arts), ETreeEdit);
    EXPECT_THROW(TMoveCommand(Tree, arts, &Node("Jazz")), ETreeEdit);
    EXPECT_EQ(Snapshot(), before);
    EXPECT_NO_THROW(TMoveCommand(Tree, Node("Jazz"), &arts));
}

// Each undo must meet the tree as its command left it, also when a later command moved what
// lies under it.
TEST_F(TreeCommands, MovesUnderAMovedBranchUndoInTurnToEveryStateOnTheWay)
{
    std::vector<TSnapshot> states{Snapshot()};
    std::vector<std::unique_ptr<TTreeCommand>> done;
    auto run = [&](std::unique_ptr<TTreeCommand> command) {
        command->Do();
        ExpectIndexesFollowTheTree();
        states.push_back(Snapshot());
        done.push_back(std::move(command));
    };
    run(std::make_unique<TMoveCommand>(Tree, Node("Music"), &Node("Physics")));
    run(std::make_unique<TMoveCommand>(Tree, Node("Links@"), &Node("Jazz")));
    run(std::make_unique<TMoveCommand>(Tree, Node("Science"), &Node("Arts"), 0));
    run(std::make_unique<TMoveCommand>(Tree, Node("Jazz"), nullptr));
    EXPECT_EQ(Outline(Tree), (std::vector<std::string>{"Arts", "  Science", "    Physics", "      Music", "  Sounds@",
                                                       "Jazz", "  Links@"}));
    EXPECT_EQ(Tree.FindParentCategory(2), Node("Physics").Data());
    while (!done.empty()) {
        done.back()->Undo();
        done.pop_back();
        states.pop_back();
        EXPECT_EQ(Snapshot(), states.back()) << "after undoing to step " << done.size();
    }
}

// Edits of every kind at random places, then all undone: each undo gives back the state
// before its edit, and the document follows the tree in order throughout.
TEST_F(TreeCommands, AnyMixOfEditsUndoesBackToEveryEarlierState)
{
    std::mt19937 random(20);
    std::vector<TSnapshot> states{Snapshot()};
    std::vector<std::unique_ptr<TTreeCommand>> done;
    auto anyNode = [&]() -> TTreeNode* {
        std::vector<TTreeNode*> nodes;
        for (const TTreeNode* node = Tree.FirstNode(); node; node = NextInPreOrder(*node))
            nodes.push_back(const_cast<TTreeNode*>(node));
        return nodes.empty() ? nullptr : nodes[random() % nodes.size()];
    };
    for (int step = 0; step < 300; ++step) {
        TTreeNode* node = anyNode();
        std::unique_ptr<TTreeCommand> command;
        switch (node ? random() % 4 : 0) {
        case 0:
            command = std::make_unique<TAddCommand>(
                Tree, node, NewCategoryRecord(Tree, node, u"N" + Utf8ToUtf16(std::to_string(step))));
            break;
        case 1:
            command = std::make_unique<TRenameCommand>(Tree, *node, u"R" + Utf8ToUtf16(std::to_string(step)));
            break;
        case 2:
            if (Tree.Count() < 4)
                continue;
            command = std::make_unique<TDeleteCommand>(Tree, *node);
            break;
        default: {
            TTreeNode* target = random() % 5 ? anyNode() : nullptr;
            if (IsInBranch(target, *node))
                continue;
            command = std::make_unique<TMoveCommand>(Tree, *node, target, random() % 3);
        }
        }
        command->Do();
        ExpectIndexesFollowTheTree();
        states.push_back(Snapshot());
        done.push_back(std::move(command));
    }
    while (!done.empty()) {
        done.back()->Undo();
        done.pop_back();
        states.pop_back();
        ASSERT_EQ(Snapshot(), states.back()) << "after undoing to step " << done.size();
    }
}

}  // namespace
