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
        return dynamic_cast<const TCategoryTreeModel&>(*Form->categories->model()).IndexOf(node);
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
    form.categories->setCurrentIndex(IndexOf(music));
    form.categories->collapse(IndexOf(arts));
    EXPECT_EQ(form.SelectedNode(), arts);
    EXPECT_EQ(form.categories->currentIndex(), IndexOf(arts));

    Script.ConfirmAnswers = {TConfirmAnswer::No};
    form.Button4->setFocus();
    form.Button3->click();
    EXPECT_EQ(Script.Asked, QStringList{DeleteQuestion});
    EXPECT_EQ(Outline().size(), 3u);
}

// A row selected while its branch is closed is no row the user sees: nothing acts on it.
TEST_F(FormKeys, ARowHiddenInAClosedBranchIsNotActedOn)
{
    PutExampleTree();
    TForm1& form = OpenForm();
    TTreeNode* music = form.CategoryTree().FirstNode()->FirstChild();
    form.categories->collapseAll();
    form.categories->selectionModel()->select(IndexOf(music), QItemSelectionModel::ClearAndSelect);
    EXPECT_EQ(form.SelectedNode(), nullptr);
    form.Button3->click();
    form.Button4->click();
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
    form.categories->setFocus();
    Script.InputAnswers = {QString("Fine Arts")};
    QTest::keyClick(form.categories, Qt::Key_F2);
    Script.ConfirmAnswers = {TConfirmAnswer::No};
    QTest::keyClick(form.categories, Qt::Key_Delete);
    EXPECT_EQ(Script.Asked, QStringList({"input Rename (symbolic) category|New name|Arts", DeleteQuestion}));

    // In a field, Delete and F2 edit the text; saving and reloading work from anywhere.
    form.Edit1->setFocus();
    form.Edit1->setText("admin");
    form.Edit1->setCursorPosition(0);
    QTest::keyClick(form.Edit1, Qt::Key_Delete);
    QTest::keyClick(form.Edit1, Qt::Key_F2);
    EXPECT_EQ(form.Edit1->text(), "dmin");
    EXPECT_EQ(Script.Asked.size(), 2);
    QTest::keyClick(form.Edit1, Qt::Key_S, Qt::ControlModifier);
    EXPECT_NE(TreeFileText().find("Fine Arts"), std::string::npos);
    Script.InputAnswers = {QString("Other")};
    Select(form.CategoryTree().FirstNode());
    form.categories->setFocus();
    QTest::keyClick(form.categories, Qt::Key_F2);
    Script.SaveAnswers = {TSaveAnswer::Discard};
    QTest::keyClick(form.Memo1, Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(Outline().front(), "Fine Arts");
    EXPECT_EQ(Script.Asked.back(), "save? Save changes to tree.xml?");
}

}  // namespace
