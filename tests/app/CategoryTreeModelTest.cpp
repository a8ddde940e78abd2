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
// while a view with unfolded branches follows the same changes; what it finds wrong is a
// warning, collected here and checked after the test.
class CategoryTreeModel : public ::testing::Test {
protected:
    CategoryTreeModel() { View.setModel(&Model); }
    ~CategoryTreeModel() override { qInstallMessageHandler(Previous); }
    void TearDown() override { EXPECT_TRUE(TesterWarnings.isEmpty()) << TesterWarnings.join("\n").toStdString(); }

    const QtMessageHandler Previous = qInstallMessageHandler(RecordWarning);
    TCategoryTree Tree;
    TCategoryTreeModel Model{Tree};
    QAbstractItemModelTester Tester{&Model, QAbstractItemModelTester::FailureReportingMode::Warning};
    QTreeView View;
};

TEST_F(CategoryTreeModel, StaysConsistentThroughAddsAndDeletes)
{
    TTreeNode& a = Tree.AddNode(nullptr, "A", Category(1));
    TTreeNode& b = Tree.AddNode(&a, "B", Category(2));
    Tree.AddNode(&b, "C", Category(3));
    auto branch = std::make_unique<TTreeNode>("D", Category(4));
    branch->AppendDetachedChild(std::make_unique<TTreeNode>("E", Category(5)));
    Tree.AddBranch(nullptr, std::move(branch));
    Tree.AddNode(&a, "F", Category(6));
    View.expandAll();

    EXPECT_EQ(Model.rowCount(), 2);
    EXPECT_EQ(Model.rowCount(Model.IndexOf(&a)), 2);
    EXPECT_EQ(Model.data(Model.index(1, 0)).toString(), "D");
    EXPECT_EQ(Model.parent(Model.IndexOf(&b)), Model.IndexOf(&a));
    EXPECT_FALSE(Model.index(2, 0).isValid());
    EXPECT_FALSE(Model.index(0, 1).isValid());

    View.setCurrentIndex(Model.IndexOf(&b));
    Tree.DeleteNode(b);
    EXPECT_EQ(Model.rowCount(Model.IndexOf(&a)), 1);
    EXPECT_EQ(Model.data(Model.index(0, 0, Model.IndexOf(&a))).toString(), "F");
    Tree.DeleteNode(a);
    EXPECT_EQ(Model.rowCount(), 1);
    EXPECT_EQ(Model.data(Model.index(0, 0)).toString(), "D");
    EXPECT_EQ(Model.IndexOf(Tree.FirstNode()).row(), 0);
}

// The rows of a find are a flat list; a change of the tree empties it until the window finds
// again, and no row ever refers to a node that has left the tree.
TEST_F(CategoryTreeModel, StaysConsistentWhileShowingAFind)
{
    TTreeNode& a = Tree.AddNode(nullptr, "Alpha", Category(1, u"Alpha"));
    TTreeNode& b = Tree.AddNode(&a, "Beta", Category(2, u"Beta"));
    Tree.AddNode(&b, "Alphabet", Category(3, u"Alphabet"));
    Tree.AddNode(nullptr, "Gamma", Category(4, u"Gamma"));

    Model.ShowFound(TTreeSearch(Tree).Find(u"alpha"));
    EXPECT_TRUE(Model.ShowsFound());
    EXPECT_EQ(Model.rowCount(), 3);
    EXPECT_FALSE(Model.parent(Model.index(2, 0)).isValid());
    EXPECT_EQ(Model.rowCount(Model.index(0, 0)), 0);
    EXPECT_EQ(Model.data(Model.index(2, 0)).toString(), "Alphabet");
    EXPECT_EQ(Model.data(Model.index(2, 0), TCategoryTreeModel::FoundDepthRole).toInt(), 2);
    EXPECT_TRUE(Model.data(Model.index(1, 0), TCategoryTreeModel::FoundParentRole).toBool());
    EXPECT_FALSE(Model.data(Model.index(2, 0), TCategoryTreeModel::FoundParentRole).toBool());
    EXPECT_EQ(Model.IndexOf(&b).row(), 1);
    EXPECT_FALSE(Model.IndexOf(Tree.TopLevelNodes()[1].get()).isValid()) << "Gamma is not shown";
    EXPECT_FALSE(Model.flags(Model.index(0, 0)) & Qt::ItemIsDragEnabled);

    Tree.DeleteNode(b);
    EXPECT_EQ(Model.rowCount(), 0);
    Model.ShowFound(TTreeSearch(Tree).Find(u"alpha"));
    EXPECT_EQ(Model.rowCount(), 1);
    Model.ShowTree();
    EXPECT_EQ(Model.rowCount(), 2);
    EXPECT_EQ(Model.rowCount(Model.IndexOf(&a)), 0);
}

}  // namespace
