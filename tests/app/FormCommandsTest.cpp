#include "FormFixture.h"

#include "model/Category.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>

#include <array>

namespace {

const QString DeleteQuestion =
    "confirm Confirm|This will delte the selected category and all subcategories with symbolic categories. Continue?";

using FormCommands = FormTest;

const std::array CommandButtons = {"Button1", "Button2", "Button3", "Button4", "Button5"};

// A second copy would be saved into the file and fed twice.
TEST_F(FormCommands, ReloadReplacesTheTreeWithTheFileAndSaveWritesItUnchanged)
{
    PutExampleTree();
    const std::string example = TreeFileText();
    TForm1& form = OpenForm();
    Child<QPushButton>(form, "Button2")->click();
    Child<QPushButton>(form, "Button2")->click();
    EXPECT_EQ(Outline(), (std::vector<std::string>{"Arts", "  Music", "  Sounds@"}));
    EXPECT_EQ(CategoryNames(), (std::vector<std::u16string>{u"Arts", u"Music"}));
    EXPECT_EQ(SymbolicNames(), std::vector<std::u16string>{u"Sounds"});
    EXPECT_EQ(form.CategoryTree().FindFirstCategoryNode(1), form.CategoryTree().FirstNode());
    EXPECT_TRUE(Child<QLabel>(form, "Label3")->isHidden());
    Child<QPushButton>(form, "Button5")->click();
    EXPECT_EQ(TreeFileText(), example);
    EXPECT_TRUE(Script.Asked.isEmpty());
}

TEST_F(FormCommands, ReloadWithoutTreeFileChangesNothing)
{
    PutExampleTree();
    TForm1& form = OpenForm();
    std::filesystem::remove("tree.xml");
    Child<QPushButton>(form, "Button2")->click();
    std::filesystem::create_directory("tree.xml");  // a folder is no tree file either
    Child<QPushButton>(form, "Button2")->click();
    EXPECT_EQ(Outline(), (std::vector<std::string>{"Arts", "  Music", "  Sounds@"}));
    EXPECT_TRUE(Script.Errors.isEmpty());
    EXPECT_TRUE(Child<QLabel>(form, "Label3")->isHidden());
}

TEST_F(FormCommands, DeleteAsksNothingWithoutSelectionAndChangesNothingUnlessYes)
{
    PutExampleTree();
    TForm1& form = OpenForm();
    Child<QPushButton>(form, "Button3")->click();
    EXPECT_TRUE(Script.Asked.isEmpty());

    Script.ConfirmAnswers = {TConfirmAnswer::No, TConfirmAnswer::Cancel};
    Select(form.CategoryTree().FirstNode());
    Child<QPushButton>(form, "Button3")->click();
    Child<QPushButton>(form, "Button3")->click();
    EXPECT_EQ(Script.Asked, QStringList({DeleteQuestion, DeleteQuestion}));
    EXPECT_EQ(Outline().size(), 3u);
    EXPECT_EQ(CategoryNames().size(), 2u);
    EXPECT_EQ(SymbolicNames().size(), 1u);
}

TEST_F(FormCommands, DeleteYesRemovesTheBranchFromViewAndDocument)
{
    PutExampleTree();
    TForm1& form = OpenForm();
    Script.ConfirmAnswers = {TConfirmAnswer::Yes, TConfirmAnswer::Yes};
    Select(form.CategoryTree().FirstNode()->FirstChild());  // Music, a leaf
    Child<QPushButton>(form, "Button3")->click();
    EXPECT_EQ(Outline(), (std::vector<std::string>{"Arts", "  Sounds@"}));
    EXPECT_EQ(CategoryNames(), std::vector<std::u16string>{u"Arts"});
    EXPECT_TRUE(form.TreeChanged());

    Select(form.CategoryTree().FirstNode());
    Child<QPushButton>(form, "Button3")->click();
    EXPECT_TRUE(Outline().empty());
    EXPECT_TRUE(CategoryNames().empty());
    EXPECT_TRUE(SymbolicNames().empty());
    EXPECT_EQ(form.CategoryTree().FindFirstCategoryNode(1), nullptr);
    EXPECT_TRUE(Child<QLabel>(form, "Label3")->isHidden());
}

// The row shows a new name at once; an empty or blank name is refused (a feed would fail
// on it five times), and Cancel changes nothing.
TEST_F(FormCommands, RenameShowsTheNewNameAtOnceAndRefusesBlankNames)
{
    PutExampleTree();
    TForm1& form = OpenForm();
    Script.InputAnswers = {QString("Fine Arts"), QString("Sounds & more"), std::nullopt, QString(""), QString(" \t ")};
    TTreeNode* arts = form.CategoryTree().FirstNode();
    TTreeNode* sounds = arts->Children()[1].get();
    TTreeNode* music = arts->FirstChild();
    for (TTreeNode* node : {arts, sounds, music, music, music}) {
        Select(node);
        Child<QPushButton>(form, "Button4")->click();
    }
    EXPECT_EQ(Script.Asked,
              QStringList(
                  {"input Rename (symbolic) category|New name|Arts", "input Rename (symbolic) category|New name|Sounds",
                   "input Rename (symbolic) category|New name|Music", "input Rename (symbolic) category|New name|Music",
                   "input Rename (symbolic) category|New name|Music"}));
    const QString blank = "A category needs a name: the new name is empty or blank, so the name stays as it was.";
    EXPECT_EQ(Script.Messages, QStringList({blank, blank}));
    EXPECT_EQ(CategoryNames(), (std::vector<std::u16string>{u"Fine Arts", u"Music"}));
    EXPECT_EQ(SymbolicNames(), std::vector<std::u16string>{u"Sounds & more"});
    EXPECT_EQ(Outline(), (std::vector<std::string>{"Fine Arts", "  Music", "  Sounds & more@"}));
    const QAbstractItemModel& view = *TreeView()->model();
    EXPECT_EQ(view.data(view.index(0, 0)).toString(), "Fine Arts");

    Child<QPushButton>(form, "Button5")->click();
    EXPECT_NE(TreeFileText().find("<Name>Fine Arts</Name>"), std::string::npos);
    Form.reset();
    OpenForm();
    EXPECT_EQ(Outline(), (std::vector<std::string>{"Fine Arts", "  Music", "  Sounds & more@"}));
}

TEST_F(FormCommands, SavingAnEmptyTreeThenReloadingAddsNothing)
{
    TForm1& form = OpenForm();
    Child<QPushButton>(form, "Button5")->click();
    Child<QPushButton>(form, "Button2")->click();
    EXPECT_TRUE(Outline().empty());
    EXPECT_TRUE(CategoryNames().empty());
    EXPECT_TRUE(Script.Errors.isEmpty());
}

TEST_F(FormCommands, SaveErrorsAreShownAndTheWindowGoesOn)
{
    PutExampleTree();
    TForm1& form = OpenForm();
    std::filesystem::remove("tree.xml");
    std::filesystem::create_directory("tree.xml");  // cannot be replaced by a file
    Child<QPushButton>(form, "Button5")->click();
    EXPECT_EQ(Script.Errors.size(), 1);
    EXPECT_TRUE(Child<QLabel>(form, "Label3")->isHidden());
    EXPECT_TRUE(Child<QPushButton>(form, "Button5")->isEnabled());
    EXPECT_EQ(Outline().size(), 3u);
}

// While a command waits in a dialog, the window handles messages: no second command may
// start, and a close waits for the command's end.
TEST_F(FormCommands, CommandsDoNotOverlapAndACloseWaitsForTheCommand)
{
    PutExampleTree();
    TForm1& form = OpenForm();
    Script.ConfirmAnswers = {TConfirmAnswer::Yes};
    Script.SaveAnswers = {TSaveAnswer::Discard};
    Script.WhileAsking = [&] {
        EXPECT_TRUE(form.CommandRunning());
        for (const char* button : CommandButtons)
            EXPECT_FALSE(Child<QPushButton>(form, button)->isEnabled()) << button;
        Child<QPushButton>(form, "Button2")->click();  // refused
        form.RunCommand([] { ADD_FAILURE() << "a second command ran"; });
        EXPECT_FALSE(form.close());
        EXPECT_TRUE(form.isVisible());
    };
    Select(form.CategoryTree().FirstNode());
    Child<QPushButton>(form, "Button3")->click();
    EXPECT_TRUE(Outline().empty());
    EXPECT_TRUE(CategoryNames().empty());
    for (const char* button : CommandButtons)
        EXPECT_TRUE(Child<QPushButton>(form, button)->isEnabled()) << button;
    Script.WhileAsking = {};
    QCoreApplication::processEvents();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(Script.Asked.back(), "save? Save changes to tree.xml?");
}

TEST_F(FormCommands, ControlsComeBackAfterAnError)
{
    TForm1& form = OpenForm();
    form.RunCommand([] { throw std::runtime_error("Broken command"); });
    EXPECT_EQ(Script.Errors, QStringList{"Broken command"});
    EXPECT_TRUE(Child<QPushButton>(form, "Button3")->isEnabled());
    EXPECT_FALSE(form.CommandRunning());
}

}  // namespace
