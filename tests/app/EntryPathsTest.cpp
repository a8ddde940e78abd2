#include "app/EntryPaths.h"
#include "app/CategoryTreeModel.h"
#include "app/PathCompleter.h"
#include "model/Category.h"
#include "model/tree/CategoryTree.h"

#include <QAbstractProxyModel>

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

QStringList Completions(TPathCompleter& completer, const QString& typed)
{
    completer.setCompletionPrefix(typed);
    QStringList paths;
    // As the completer does when one is chosen: from its list of completions to its model.
    const auto* completions = static_cast<const QAbstractProxyModel*>(completer.completionModel());
    for (int row = 0; completer.setCurrentRow(row); ++row)
        paths << completer.pathFromIndex(completions->mapToSource(completer.currentIndex()));
    return paths;
}

// Step by step from the top, without regard to case, categories only; what it completes to
// is a path FindCategoryNodeByPath finds.
TEST(EntryPaths, TheCompleterOffersTheCategoriesBelowTheStepsTyped)
{
    TCategoryTree tree;
    TTreeNode& arts = tree.AddNode(nullptr, "Arts", Category(u"Arts"));
    TTreeNode& music = tree.AddNode(&arts, "Music", Category(u"Music"));
    tree.AddNode(&music, "Jazz", Category(u"Jazz"));
    tree.AddNode(&arts, "AC/DC", Category(u"AC/DC"));
    auto link = std::make_unique<TSymbolicCategory>();
    link->Name = u"Mixes";
    tree.AddNode(&arts, "Mixes@", std::move(link));
    tree.AddNode(nullptr, "Science", Category(u"Science"));
    TCategoryTreeModel model(tree);
    TPathCompleter completer(model);

    EXPECT_EQ(Completions(completer, "a"), QStringList{"Arts"});
    EXPECT_EQ(Completions(completer, "Arts/m"), QStringList{"Arts/Music"});
    EXPECT_EQ(Completions(completer, "ARTS/MUSIC/"), QStringList{"Arts/Music/Jazz"});
    EXPECT_EQ(Completions(completer, "Arts/AC\\/"), QStringList{"Arts/AC\\/DC"});
    EXPECT_EQ(FindCategoryNodeByPath(tree, Completions(completer, "Arts/AC").front().toStdString()),
              arts.Children()[1].get());
    EXPECT_TRUE(Completions(completer, "Nature/").isEmpty());
}

}  // namespace
