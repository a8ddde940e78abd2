// Commands act only on a row the user can see, and the keys of the tree commands.

#include "FormFixture.h"

#include "app/CategoryTreeModel.h"

#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

namespace {

const QString DeleteQuestion =
    "confirm Confirm|This will delte the selected category and all subcategories with symbolic categories. Continue?";

class FormKeys : public FormTest {
protected:
    QModelIndex IndexOf(const TTreeNode* node) const
    {
        return dynamic_cast<const TCategoryTreeModel&>(*TreeView()->model()).IndexOf(node);
    }
};

// Collapsing the branch of the selected row selects the collapsed row, as a file manager
// does; so Delete asks about, and deletes, what is highlighted.
TEST_F(FormKeys, CollapsingABranchSelectsItsRowAndDeleteActsOnThat)
{
    PutExampleTree();
    TForm1& form = OpenForm();
    TTreeNode* arts = form.CategoryTree().FirstNode();
    TTreeNode* music = arts->FirstChild();
    Select(music);
    TreeView()->setCurrentIndex(IndexOf(music));
    TreeView()->collapse(IndexOf(arts));
    EXPECT_EQ(form.SelectedNode(), arts);
    EXPECT_EQ(TreeView()->currentIndex(), IndexOf(arts));

    Script.ConfirmAnswers = {TConfirmAnswer::No};
    Child<QPushButton>(form, "Button4")->setFocus();
    Child<QPushButton>(form, "Button3")->click();
    EXPECT_EQ(Script.Asked, QStringList{DeleteQuestion});
    EXPECT_EQ(Outline().size(), 3u);
}

// A row selected while its branch is closed is no row the user sees: nothing acts on it.
TEST_F(FormKeys, ARowHiddenInAClosedBranchIsNotActedOn)
{
    PutExampleTree();
    TForm1& form = OpenForm();
    TTreeNode* music = form.CategoryTree().FirstNode()->FirstChild();
    TreeView()->collapseAll();
    TreeView()->selectionModel()->select(IndexOf(music), QItemSelectionModel::ClearAndSelect);
    EXPECT_EQ(form.SelectedNode(), nullptr);
    Child<QPushButton>(form, "Button3")->click();
    Child<QPushButton>(form, "Button4")->click();
    EXPECT_TRUE(Script.Asked.isEmpty());
    EXPECT_EQ(Outline().size(), 3u);
}

TEST_F(FormKeys, KeysRunTheTreeCommands)
{
    PutExampleTree();
    TForm1& form = OpenForm();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    Select(form.CategoryTree().FirstNode());
    TreeView()->setFocus();
    Script.InputAnswers = {QString("Fine Arts")};
    QTest::keyClick(TreeView(), Qt::Key_F2);
    Script.ConfirmAnswers = {TConfirmAnswer::No};
    QTest::keyClick(TreeView(), Qt::Key_Delete);
    EXPECT_EQ(Script.Asked, QStringList({"input Rename (symbolic) category|New name|Arts", DeleteQuestion}));

    // In a field, Delete and F2 edit the text; saving and reloading work from anywhere.
    QLineEdit* username = Child<QLineEdit>(form, "Edit1");
    username->setFocus();
    username->setText("admin");
    username->setCursorPosition(0);
    QTest::keyClick(username, Qt::Key_Delete);
    QTest::keyClick(username, Qt::Key_F2);
    EXPECT_EQ(username->text(), "dmin");
    EXPECT_EQ(Script.Asked.size(), 2);
    QTest::keyClick(username, Qt::Key_S, Qt::ControlModifier);
    EXPECT_NE(TreeFileText().find("Fine Arts"), std::string::npos);
    Script.InputAnswers = {QString("Other")};
    Select(form.CategoryTree().FirstNode());
    TreeView()->setFocus();
    QTest::keyClick(TreeView(), Qt::Key_F2);
    Script.SaveAnswers = {TSaveAnswer::Discard};
    QTest::keyClick(Child<QPlainTextEdit>(form, "Memo1"), Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(Outline().front(), "Fine Arts");
    EXPECT_EQ(Script.Asked.back(), "save? Save changes to tree.xml?");
}

}  // namespace
