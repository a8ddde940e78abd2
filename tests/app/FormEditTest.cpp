// The tree editor's commands through their keys, and their undo.

#include "FormFixture.h"

#include "app/CategoryTreeModel.h"
#include "model/tree/DocumentOfTree.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTreeView>
#include <QUndoStack>

namespace {

const std::string Directory = "Arts\n"
                              "  Music\n"
                              "    Jazz\n"
                              "  @Sounds -> Top/Arts/Music\n"
                              "Science\n"
                              "  Physics\n"
                              "  Musicology\n";

class FormEdit : public FormTest {
protected:
    TForm1& OpenDirectory()
    {
        PutOutline(Directory);
        return OpenActiveForm();
    }

    void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const
    {
        TreeView()->setFocus();
        QTest::keyClick(TreeView(), static_cast<Qt::Key>(key), modifiers);
    }

    // The row editor of the tree, while it is open (a closed one goes later).
    QLineEdit* RowEditor() const
    {
        for (QLineEdit* editor : TreeView()->viewport()->findChildren<QLineEdit*>())
            if (editor->isVisible())
                return editor;
        return nullptr;
    }

    void TypeIntoRow(const QString& text) const
    {
        QLineEdit* editor = RowEditor();
        ASSERT_NE(editor, nullptr) << "no row editor";
        editor->selectAll();
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        // The view commits what its editor holds once the key has been handled.
        QCoreApplication::processEvents();
    }

    const TCategory& CategoryOf(const std::string& text) const
    {
        return dynamic_cast<const TCategory&>(*Node(text)->Data());
    }

    std::vector<const void*> DocumentRecords() const
    {
        const TDmoz document = DocumentOfTree(Form->CategoryTree());
        std::vector<const void*> records(document.Categories.begin(), document.Categories.end());
        records.insert(records.end(), document.SymbolicCategories.begin(), document.SymbolicCategories.end());
        return records;
    }

    TCategoryTreeModel& Model() const { return dynamic_cast<TCategoryTreeModel&>(*TreeView()->model()); }
};

TEST_F(FormEdit, InsertAddsACategoryUnderTheSelectionWithTheNameTypedInItsRow)
{
    TForm1& form = OpenDirectory();
    Select(Node("Music"));
    Press(Qt::Key_Insert);
    ASSERT_NE(RowEditor(), nullptr);
    EXPECT_EQ(RowEditor()->text(), "New category");
    EXPECT_EQ(form.SelectedNode(), Node("New category"));
    TypeIntoRow("Free jazz");

    EXPECT_EQ(Outline()[3], "    Free jazz");
    const TCategory& added = CategoryOf("Free jazz");
    EXPECT_EQ(added.ID, 7);
    EXPECT_EQ(added.Url, u"Top/Arts/Music/Free_jazz") << "the Url of the name typed, not of New category";
    EXPECT_EQ(CategoryNames(), (std::vector<std::u16string>{u"Arts", u"Music", u"Jazz", u"Free jazz", u"Science",
                                                            u"Physics", u"Musicology"}));
    EXPECT_TRUE(form.TreeChanged());
    EXPECT_EQ(form.Edits().count(), 1) << "the name typed is part of the add";
    EXPECT_EQ(Child<QAction>(form, "UndoAction")->text(), "Undo Add Free jazz");

    QTest::keyClick(&form, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Outline().size(), 7u);
    EXPECT_FALSE(form.TreeChanged());
    QTest::keyClick(&form, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Outline()[3], "    Free jazz");
    EXPECT_EQ(form.SelectedNode(), Node("Free jazz"));
    QTest::keyClick(&form, Qt::Key_S, Qt::ControlModifier);
    EXPECT_NE(TreeFileText().find("<Url>Top/Arts/Music/Free_jazz</Url>"), std::string::npos);
    EXPECT_TRUE(Script.Asked.isEmpty());
}

// A symbolic category holds no entries: what goes "under" it goes beside it.
TEST_F(FormEdit, AddGoesToTheTopLevelWithoutSelectionAndBesideASymbolicCategory)
{
    TForm1& form = OpenDirectory();
    TreeView()->clearSelection();
    Press(Qt::Key_Insert);
    QTest::keyClick(RowEditor(), Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_EQ(RowEditor(), nullptr);
    EXPECT_EQ(Outline().back(), "New category");
    EXPECT_EQ(CategoryOf("New category").Url, u"Top/New_category");

    Select(Node("Sounds@"));
    Press(Qt::Key_Insert);
    TypeIntoRow("Opera");
    EXPECT_EQ(Outline()[4], "  Opera");
    EXPECT_EQ(CategoryOf("Opera").Url, u"Top/Arts/Opera");
    EXPECT_EQ(form.CategoryTree().FindParentCategory(CategoryOf("Opera").ID), Node("Arts")->Data());
}

TEST_F(FormEdit, ABlankNameInTheRowIsRefusedAndTheNewCategoryKeepsItsName)
{
    OpenDirectory();
    Select(Node("Science"));
    Press(Qt::Key_Insert);
    TypeIntoRow("   ");
    EXPECT_EQ(Script.Messages,
              QStringList{"A category needs a name: the new name is empty or blank, so the name stays as it was."});
    EXPECT_EQ(Outline().back(), "  New category");
}

TEST_F(FormEdit, ShiftInsertAddsASymbolicCategoryOfTheCategoryAtAPath)
{
    TForm1& form = OpenDirectory();
    Select(Node("Science"));
    Script.InputAnswers = {QString("Arts/Music/Jazz")};
    Press(Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(Script.Asked,
              QStringList{"input Add symbolic category|Path of the category it shows, for example Arts/Music:|"});
    EXPECT_EQ(Outline().back(), "  Jazz@");
    const auto& link = dynamic_cast<const TSymbolicCategory&>(*Node("Jazz@")->Data());
    EXPECT_EQ(link.Url, u"Top/Arts/Music/Jazz");
    EXPECT_EQ(link.Parent, CategoryOf("Science").ID);
    EXPECT_EQ(SymbolicNames(), (std::vector<std::u16string>{u"Sounds", u"Jazz"}));
    TypeIntoRow("Science of swing");
    EXPECT_EQ(SymbolicNames(), (std::vector<std::u16string>{u"Sounds", u"Science of swing"}));
    EXPECT_EQ(link.Url, u"Top/Arts/Music/Jazz") << "a symbolic category keeps the Url of its target";
    QTest::keyClick(&form, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(SymbolicNames(), std::vector<std::u16string>{u"Sounds"});

    Script.InputAnswers = {QString("Arts/Painting"), std::nullopt};
    Press(Qt::Key_Insert, Qt::ShiftModifier);
    Press(Qt::Key_Insert, Qt::ShiftModifier);
    TreeView()->clearSelection();
    Press(Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(Script.Messages, QStringList({"There is no category Arts/Painting.",
                                            "Select the category under which the symbolic category is to appear."}));
    EXPECT_EQ(SymbolicNames(), std::vector<std::u16string>{u"Sounds"});
}

TEST_F(FormEdit, RenameAndDeleteAreUndoneAndRedoneWithTheirKeys)
{
    TForm1& form = OpenDirectory();
    const std::vector<const void*> records = DocumentRecords();
    Select(Node("Music"));
    Script.InputAnswers = {QString("Songs")};
    Press(Qt::Key_F2);
    Script.ConfirmAnswers = {TConfirmAnswer::Yes};
    Select(Node("Arts"));
    Press(Qt::Key_Delete);
    EXPECT_EQ(Outline(), (std::vector<std::string>{"Science", "  Physics", "  Musicology"}));
    EXPECT_EQ(Child<QAction>(form, "UndoAction")->text(), "Undo Delete Arts");

    QTest::keyClick(&form, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Outline()[1], "  Songs");
    EXPECT_EQ(DocumentRecords(), records) << "the same records, in their places";
    EXPECT_EQ(form.SelectedNode(), Node("Arts"));
    QTest::keyClick(&form, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Outline()[1], "  Music");
    EXPECT_EQ(CategoryNames()[1], u"Music");
    EXPECT_FALSE(form.TreeChanged());
    EXPECT_FALSE(Child<QAction>(form, "UndoAction")->isEnabled());

    QTest::keyClick(&form, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(&form, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Outline().size(), 3u);
    EXPECT_EQ(CategoryNames(), (std::vector<std::u16string>{u"Science", u"Physics", u"Musicology"}));
    EXPECT_TRUE(SymbolicNames().empty());
    EXPECT_TRUE(form.TreeChanged());
}

// Undo reaches back to what the file holds, and no further: a save is the new start, and a
// reload forgets the edits of the tree it replaces.
TEST_F(FormEdit, TheTreeCountsAsChangedExactlyWhenItDiffersFromTheFile)
{
    TForm1& form = OpenDirectory();
    Script.ConfirmAnswers = {TConfirmAnswer::Yes};
    Select(Node("Physics"));
    Child<QPushButton>(form, "Button3")->click();
    Child<QPushButton>(form, "Button5")->click();
    EXPECT_FALSE(form.TreeChanged());
    Child<QAction>(form, "UndoAction")->trigger();
    EXPECT_TRUE(form.TreeChanged());
    Child<QAction>(form, "RedoAction")->trigger();
    EXPECT_FALSE(form.TreeChanged());
    Child<QAction>(form, "UndoAction")->trigger();
    Script.SaveAnswers = {TSaveAnswer::Discard};
    Child<QPushButton>(form, "Button2")->click();
    EXPECT_EQ(form.Edits().count(), 0);
    EXPECT_FALSE(Child<QAction>(form, "UndoAction")->isEnabled());
    EXPECT_EQ(Outline(),
              (std::vector<std::string>{"Arts", "  Music", "    Jazz", "  Sounds@", "Science", "  Musicology"}));
}

TEST_F(FormEdit, CutAndPasteMoveABranchButNeverIntoItself)
{
    TForm1& form = OpenDirectory();
    EXPECT_FALSE(Child<QAction>(form, "PasteAction")->isEnabled());
    Select(Node("Music"));
    Press(Qt::Key_X, Qt::ControlModifier);
    EXPECT_TRUE(Child<QAction>(form, "PasteAction")->isEnabled());
    EXPECT_TRUE(Model().data(Model().IndexOf(Node("Music")), Qt::ForegroundRole).isValid()) << "shown greyed";
    EXPECT_EQ(Outline()[1], "  Music") << "a cut branch stays until it is pasted";

    Select(Node("Jazz"));
    Press(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Script.Errors, QStringList{"A branch cannot be moved into itself or into one of its own entries."});
    EXPECT_EQ(Outline()[1], "  Music");

    Select(Node("Science"));
    Press(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Outline(), (std::vector<std::string>{"Arts", "  Sounds@", "Science", "  Physics", "  Musicology",
                                                   "  Music", "    Jazz"}));
    EXPECT_EQ(CategoryNames(),
              (std::vector<std::u16string>{u"Arts", u"Science", u"Physics", u"Musicology", u"Music", u"Jazz"}));
    EXPECT_EQ(CategoryOf("Music").Url, u"Top/Arts/Music") << "a move keeps every Url";
    EXPECT_EQ(CategoryOf("Music").ID, 2);
    EXPECT_EQ(form.CategoryTree().FindParentCategory(2), Node("Science")->Data());
    EXPECT_EQ(form.SelectedNode(), Node("Music"));
    EXPECT_FALSE(Child<QAction>(form, "PasteAction")->isEnabled());
    EXPECT_TRUE(form.TreeChanged());

    QTest::keyClick(&form, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Outline()[1], "  Music");
    EXPECT_EQ(CategoryNames()[1], u"Music");
}

// A deleted branch is no branch to paste.
TEST_F(FormEdit, ACutBranchThatIsDeletedIsForgotten)
{
    TForm1& form = OpenDirectory();
    Select(Node("Physics"));
    Child<QAction>(form, "CutAction")->trigger();
    Script.ConfirmAnswers = {TConfirmAnswer::Yes};
    Child<QPushButton>(form, "Button3")->click();
    EXPECT_FALSE(Child<QAction>(form, "PasteAction")->isEnabled());
    Child<QAction>(form, "UndoAction")->trigger();
    EXPECT_FALSE(Child<QAction>(form, "PasteAction")->isEnabled());
}

// Qt's drag and drop ends in the model's drop; a drop onto a row puts the branch under it,
// between rows at that place, onto a symbolic category beside it.
TEST_F(FormEdit, DragAndDropMovesABranchWhereItIsDropped)
{
    TForm1& form = OpenDirectory();
    TCategoryTreeModel& model = Model();
    const auto drag = [&](const std::string& text) {
        return std::unique_ptr<QMimeData>(model.mimeData({model.IndexOf(Node(text))}));
    };
    EXPECT_FALSE(model.canDropMimeData(drag("Arts").get(), Qt::MoveAction, -1, 0, model.IndexOf(Node("Jazz"))));
    EXPECT_FALSE(model.canDropMimeData(drag("Arts").get(), Qt::MoveAction, -1, 0, model.IndexOf(Node("Arts"))));
    QMimeData foreign;
    foreign.setText("Arts");
    EXPECT_FALSE(model.canDropMimeData(&foreign, Qt::MoveAction, -1, 0, model.IndexOf(Node("Science"))));

    EXPECT_TRUE(model.dropMimeData(drag("Physics").get(), Qt::MoveAction, -1, 0, model.IndexOf(Node("Jazz"))));
    EXPECT_EQ(Outline()[3], "      Physics");
    EXPECT_TRUE(model.dropMimeData(drag("Science").get(), Qt::MoveAction, 0, 0, QModelIndex()));
    EXPECT_EQ(Outline().front(), "Science");
    EXPECT_TRUE(model.dropMimeData(drag("Musicology").get(), Qt::MoveAction, -1, 0, model.IndexOf(Node("Sounds@"))));
    EXPECT_EQ(Outline(), (std::vector<std::string>{"Science", "Arts", "  Music", "    Jazz", "      Physics",
                                                   "  Sounds@", "  Musicology"}));
    EXPECT_EQ(CategoryNames(),
              (std::vector<std::u16string>{u"Science", u"Arts", u"Music", u"Jazz", u"Physics", u"Musicology"}));
    EXPECT_EQ(form.Edits().count(), 3);
    for (int i = 0; i < 3; ++i)
        Child<QAction>(form, "UndoAction")->trigger();
    EXPECT_EQ(Outline(), (std::vector<std::string>{"Arts", "  Music", "    Jazz", "  Sounds@", "Science", "  Physics",
                                                   "  Musicology"}));
    EXPECT_EQ(CategoryNames(),
              (std::vector<std::u16string>{u"Arts", u"Music", u"Jazz", u"Science", u"Physics", u"Musicology"}));
}

// While a command waits for an answer, nothing else may change the tree.
TEST_F(FormEdit, NoEditStartsWhileACommandRuns)
{
    TForm1& form = OpenDirectory();
    Script.ConfirmAnswers = {TConfirmAnswer::No};
    Script.WhileAsking = [&] {
        for (const char* name :
             {"AddAction", "AddSymbolicAction", "RenameAction", "DeleteAction", "PasteAction", "UndoAction",
              "RedoAction", "OpenAction", "SaveAsAction", "ReloadAction", "SaveAction", "PreviewAction"}) {
            const QAction* action = Child<QAction>(form, name);
            EXPECT_FALSE(action->isEnabled()) << action->text().toStdString();
        }
        Child<QAction>(form, "AddAction")->trigger();
        auto drag = std::unique_ptr<QMimeData>(Model().mimeData({Model().IndexOf(Node("Physics"))}));
        EXPECT_FALSE(Model().canDropMimeData(drag.get(), Qt::MoveAction, -1, 0, QModelIndex()));
    };
    Select(Node("Arts"));
    Child<QPushButton>(form, "Button3")->click();
    EXPECT_EQ(Outline().size(), 7u);
    EXPECT_TRUE(Child<QAction>(form, "AddAction")->isEnabled());
}

}  // namespace
