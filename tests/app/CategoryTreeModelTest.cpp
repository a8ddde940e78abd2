#include "app/CategoryTreeModel.h"
#include "model/Category.h"
#include "model/tree/TreeSearch.h"

#include <QAbstractItemModelTester>
#include <QStringList>
#include <QTreeView>

#include <gtest/gtest.h>

namespace {

QStringList TesterWarnings;

void RecordWarning(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type != QtDebugMsg && type != QtInfoMsg)
        TesterWarnings << message;
}

std::unique_ptr<TCategory> Category(std::int32_t id, const std::u16string& name = u"")
{
    auto category = std::make_unique<TCategory>();
    category->ID = id;
    category->Name = name;
    return category;
}

// Qt's model tester checks every answer of the model against the others after each change,
// while a view with unfolded branches follows the same changes.
TEST(CategoryTreeModel, StaysConsistentThroughAddsAndDeletes)
{
    const QtMessageHandler previous = qInstallMessageHandler(RecordWarning);
    TCategoryTree tree;
    TCategoryTreeModel model(tree);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Warning);
    QTreeView view;
    view.setModel(&model);

    TTreeNode& a = tree.AddNode(nullptr, "A", Category(1));
    TTreeNode& b = tree.AddNode(&a, "B", Category(2));
    tree.AddNode(&b, "C", Category(3));
    auto branch = std::make_unique<TTreeNode>("D", Category(4));
    branch->AppendDetachedChild(std::make_unique<TTreeNode>("E", Category(5)));
    tree.AddBranch(nullptr, std::move(branch));
    tree.AddNode(&a, "F", Category(6));
    view.expandAll();

    EXPECT_EQ(model.rowCount(), 2);
    EXPECT_EQ(model.rowCount(model.IndexOf(&a)), 2);
    EXPECT_EQ(model.data(model.index(1, 0)).toString(), "D");
    EXPECT_EQ(model.parent(model.IndexOf(&b)), model.IndexOf(&a));
    EXPECT_FALSE(model.index(2, 0).isValid());
    EXPECT_FALSE(model.index(0, 1).isValid());

    view.setCurrentIndex(model.IndexOf(&b));
    tree.DeleteNode(b);
    EXPECT_EQ(model.rowCount(model.IndexOf(&a)), 1);
    EXPECT_EQ(model.data(model.index(0, 0, model.IndexOf(&a))).toString(), "F");
    tree.DeleteNode(a);
    EXPECT_EQ(model.rowCount(), 1);
    EXPECT_EQ(model.data(model.index(0, 0)).toString(), "D");
    EXPECT_EQ(model.IndexOf(tree.FirstNode()).row(), 0);
    qInstallMessageHandler(previous);
    EXPECT_TRUE(TesterWarnings.isEmpty()) << TesterWarnings.join("\n").toStdString();
}

// The rows of a find are a flat list; a change of the tree empties it until the window finds
// again, and no row ever refers to a node that has left the tree.
TEST(CategoryTreeModel, StaysConsistentWhileShowingAFind)
{
    const QtMessageHandler previous = qInstallMessageHandler(RecordWarning);
    TCategoryTree tree;
    TCategoryTreeModel model(tree);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Warning);
    QTreeView view;
    view.setModel(&model);
    TTreeNode& a = tree.AddNode(nullptr, "Alpha", Category(1, u"Alpha"));
    TTreeNode& b = tree.AddNode(&a, "Beta", Category(2, u"Beta"));
    tree.AddNode(&b, "Alphabet", Category(3, u"Alphabet"));
    tree.AddNode(nullptr, "Gamma", Category(4, u"Gamma"));

    model.ShowFound(TTreeSearch(tree).Find(u"alpha"));
    EXPECT_TRUE(model.ShowsFound());
    EXPECT_EQ(model.rowCount(), 3);
    EXPECT_FALSE(model.parent(model.index(2, 0)).isValid());
    EXPECT_EQ(model.rowCount(model.index(0, 0)), 0);
    EXPECT_EQ(model.data(model.index(2, 0)).toString(), "Alphabet");
    EXPECT_EQ(model.data(model.index(2, 0), TCategoryTreeModel::FoundDepthRole).toInt(), 2);
    EXPECT_TRUE(model.data(model.index(1, 0), TCategoryTreeModel::FoundParentRole).toBool());
    EXPECT_FALSE(model.data(model.index(2, 0), TCategoryTreeModel::FoundParentRole).toBool());
    EXPECT_EQ(model.IndexOf(&b).row(), 1);
    EXPECT_FALSE(model.IndexOf(tree.TopLevelNodes()[1].get()).isValid()) << "Gamma is not shown";
    EXPECT_FALSE(model.flags(model.index(0, 0)) & Qt::ItemIsDragEnabled);

    tree.DeleteNode(b);
    EXPECT_EQ(model.rowCount(), 0);
    model.ShowFound(TTreeSearch(tree).Find(u"alpha"));
    EXPECT_EQ(model.rowCount(), 1);
    model.ShowTree();
    EXPECT_EQ(model.rowCount(), 2);
    EXPECT_EQ(model.rowCount(model.IndexOf(&a)), 0);
    qInstallMessageHandler(previous);
    EXPECT_TRUE(TesterWarnings.isEmpty()) << TesterWarnings.join("\n").toStdString();
}

}  // namespace
