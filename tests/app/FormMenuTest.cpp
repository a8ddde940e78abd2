// The window's commands as actions: the context menu, the buttons' share in them, any tree
// file, and what the window shows of the tree besides it.

#include "FormFixture.h"

#include "app/CategoryTreeModel.h"
#include "tests/support/WholeFile.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <filesystem>

namespace {

using FormMenu = FormTest;

// "Text<tab>Key" per item, "-" for a separator.
QStringList MenuItems(const QMenu& menu)
{
    QStringList items;
    for (const QAction* action : menu.actions())
        items << (action->isSeparator() ? "-" : action->text() + "\t" + action->shortcut().toString());
    return items;
}

TEST_F(FormMenu, TheTreesContextMenuHoldsEveryCommandWithItsKey)
{
    PutExampleTree();
    TForm1& form = OpenForm();
    EXPECT_EQ(MenuItems(*Child<QMenu>(form, "TreeMenu")),
              QStringList({"Add category\tIns", "Add symbolic category...\tShift+Ins", "Rename selected\tF2",
                           "Delete selected\tDel", "-", "Cut\tCtrl+X", "Paste\tCtrl+V", "-", "Undo\tCtrl+Z",
                           "Redo\tCtrl+Shift+Z", "-", "Find...\tCtrl+F", "-", "Open...\tCtrl+O", "Reload tree\tCtrl+R",
                           "Save tree\tCtrl+S", "Save As...\tCtrl+Shift+S", "-", "Preview feed\tCtrl+Shift+P"}));
    EXPECT_FALSE(Child<QAction>(form, "PasteAction")->shortcuts().contains(QKeySequence(Qt::SHIFT | Qt::Key_Insert)))
        << "Shift+Insert adds a symbolic category";

    // A right click on a row opens the menu there, and its items act on that row.
    Select(form.CategoryTree().FirstNode()->FirstChild());
    bool shown = false;
    QMenu* menu = Child<QMenu>(form, "TreeMenu");
    QTimer::singleShot(0, [&] {
        shown = menu->isVisible();
        Script.ConfirmAnswers = {TConfirmAnswer::No};
        Child<QAction>(form, "DeleteAction")->trigger();
        menu->close();
    });
    const QRect row = TreeView()->visualRect(TreeView()->currentIndex());
    emit TreeView()->customContextMenuRequested(row.center());
    QTest::qWait(50);
    EXPECT_TRUE(shown);
    EXPECT_EQ(Script.Asked.size(), 1);
}

TEST_F(FormMenu, TheButtonsRunTheSameActionsAsTheKeysAndTheMenu)
{
    PutExampleTree();
    TForm1& form = OpenForm();
    const std::vector<std::pair<QPushButton*, QAction*>> shared = {
        {Child<QPushButton>(form, "Button2"), Child<QAction>(form, "ReloadAction")},
        {Child<QPushButton>(form, "Button3"), Child<QAction>(form, "DeleteAction")},
        {Child<QPushButton>(form, "Button4"), Child<QAction>(form, "RenameAction")},
        {Child<QPushButton>(form, "Button5"), Child<QAction>(form, "SaveAction")}};
    for (const auto& [button, action] : shared) {
        QSignalSpy triggered(action, &QAction::triggered);
        EXPECT_EQ(action->text(), button->text());
        button->click();
        EXPECT_EQ(triggered.count(), 1) << button->objectName().toStdString();
    }
}

TEST_F(FormMenu, TheStatusBarsLabelNamesTheFileItsChangesAndItsEntries)
{
    PutExampleTree();
    TForm1& form = OpenForm();
    const QLabel* label = Child<QLabel>(form, "TreeLabel");
    EXPECT_EQ(label->text(), "tree.xml - 2 categories, 1 symbolic");
    EXPECT_EQ(label->toolTip(), QString::fromStdString((Folder.Path() / "tree.xml").string()));
    EXPECT_TRUE(Child<QStatusBar>(form, "StatusBar1")->currentMessage().isEmpty())
        << "the simple text stays the feed's";

    Script.ConfirmAnswers = {TConfirmAnswer::Yes};
    Select(form.CategoryTree().FirstNode()->FirstChild());
    Child<QPushButton>(form, "Button3")->click();
    EXPECT_EQ(label->text(), "tree.xml (changed) - 1 category, 1 symbolic");
    Child<QPushButton>(form, "Button5")->click();
    EXPECT_EQ(label->text(), "tree.xml - 1 category, 1 symbolic");
    EXPECT_EQ(Child<QStatusBar>(form, "StatusBar1")->currentMessage(), "Saved 2 entries to tree.xml");
    Child<QAction>(form, "UndoAction")->trigger();
    EXPECT_EQ(label->text(), "tree.xml (changed) - 2 categories, 1 symbolic");
}

TEST_F(FormMenu, OpenAndSaveAsWorkOnAnyFile)
{
    PutExampleTree();
    std::filesystem::create_directory("other");
    PutOutline("Science\n  Physics\n");
    std::filesystem::rename("tree.xml", "other/science.xml");
    PutExampleTree();
    TForm1& form = OpenForm();
    Script.ConfirmAnswers = {TConfirmAnswer::Yes};
    Select(form.CategoryTree().FirstNode()->FirstChild());
    Child<QPushButton>(form, "Button3")->click();
    Script.Asked.clear();

    Script.SaveAnswers = {TSaveAnswer::Cancel, TSaveAnswer::Discard};
    Script.FileAnswers = {"other/science.xml"};
    Child<QAction>(form, "OpenAction")->trigger();
    EXPECT_EQ(Outline().size(), 2u) << "Cancel keeps the tree with its changes";
    Child<QAction>(form, "OpenAction")->trigger();
    EXPECT_EQ(Outline(), (std::vector<std::string>{"Science", "  Physics"}));
    EXPECT_EQ(form.TreeFileName(), "other/science.xml");
    EXPECT_FALSE(form.TreeChanged());
    EXPECT_EQ(Child<QLabel>(form, "TreeLabel")->text(), "science.xml - 2 categories, 0 symbolic");

    Script.FileAnswers = {"", "copy.xml"};
    Child<QAction>(form, "SaveAsAction")->trigger();
    EXPECT_FALSE(std::filesystem::exists("copy.xml"));
    Child<QAction>(form, "SaveAsAction")->trigger();
    EXPECT_EQ(ReadFile("copy.xml"), ReadFile("other/science.xml"));
    EXPECT_EQ(form.TreeFileName(), "copy.xml");
    EXPECT_EQ(Script.Asked, QStringList({"save? Save changes to tree.xml?", "save? Save changes to tree.xml?",
                                         "open Open tree file|tree.xml", "save as Save tree as|other/science.xml",
                                         "save as Save tree as|other/science.xml"}));

    // A file that cannot be read changes nothing: not the tree, not the file worked on.
    WriteFile("broken.xml", "<DUMMY_NODE>");
    Script.FileAnswers = {"broken.xml"};
    Child<QAction>(form, "OpenAction")->trigger();
    EXPECT_EQ(Script.Errors.size(), 1);
    EXPECT_EQ(form.TreeFileName(), "copy.xml");
    EXPECT_EQ(Outline(), (std::vector<std::string>{"Science", "  Physics"}));
}

TEST_F(FormMenu, SymbolicCategoriesLookDifferentAndEveryEntryTellsItsPathIdAndUrl)
{
    PutExampleTree();
    TForm1& form = OpenForm();
    const auto& model = dynamic_cast<const TCategoryTreeModel&>(*TreeView()->model());
    const QModelIndex arts = model.index(0, 0);
    const QModelIndex music = model.index(0, 0, arts);
    const QModelIndex sounds = model.index(1, 0, arts);
    EXPECT_TRUE(sounds.data(Qt::FontRole).value<QFont>().italic());
    EXPECT_FALSE(music.data(Qt::FontRole).value<QFont>().italic());
    EXPECT_EQ(music.data(Qt::ToolTipRole).toString(), "Arts/Music\nID 2\nUrl Top/Arts/Music");
    EXPECT_EQ(sounds.data(Qt::ToolTipRole).toString(), "Arts/Sounds\n\u2192 Arts/Music\nUrl Top/Arts/Music");

    Script.ConfirmAnswers = {TConfirmAnswer::Yes};
    Select(form.CategoryTree().FirstNode()->FirstChild());
    Child<QPushButton>(form, "Button3")->click();
    EXPECT_EQ(model.index(0, 0, arts).data(Qt::ToolTipRole).toString(),
              "Arts/Sounds\n\u2192 no category has this Url\nUrl Top/Arts/Music");
}

}  // namespace
