#include "app/PathCompleter.h"
#include "app/CategoryTreeModel.h"
#include "model/Category.h"
#include "model/tree/CategoryTree.h"
#include "model/tree/EntryPaths.h"

#include <QAbstractProxyModel>

#include <gtest/gtest.h>

namespace {

std::unique_ptr<TBaseCategory> Category(const std::u16string& name)
{
    auto category = std::make_unique<TCategory>();
    category->Name = name;
    return category;
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
TEST(PathCompleter, OffersTheCategoriesBelowTheStepsTyped)
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
