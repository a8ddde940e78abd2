#include "FormFixture.h"

#include "model/Dmoz.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>

namespace {

const QString DeleteQuestion =
    "confirm Confirm|This will delte the selected category and all subcategories with symbolic categories. Continue?";

using FormCommands = FormTest;

TEST_F(FormCommands, ReloadAppendsTheFileAgainAsNewRecords)
{
    PutExampleTree();
    TForm1& form = OpenForm();
    form.Button2->click();
    form.Button2->click();
    EXPECT_EQ(Outline().size(), 9u);
    EXPECT_EQ(CategoryNames(), (std::vector<std::u16string>{u"Arts", u"Music", u"Arts", u"Music", u"Arts", u"Music"}));
    EXPECT_EQ(SymbolicNames().size(), 3u);
    const auto& categories = form.Document().Categories;
    EXPECT_NE(categories[0], categories[2]);
    EXPECT_NE(categories[2], categories[4]);
    EXPECT_TRUE(form.Label3->isHidden());
}

TEST_F(FormCommands, ReloadWithoutTreeFileChangesNothing)
{
    PutExampleTree();
    TForm1& form = OpenForm();
    std::filesystem::remove("tree.xml");
    form.Button2->click();
    std::filesystem::create_directory("tree.xml");  // a folder is no tree file either
    form.Button2->click();
    EXPECT_EQ(Outline(), (std::vector<std::string>{"Arts", "  Music", "  Sounds@"}));
    EXPECT_TRUE(Script.Errors.isEmpty());
    EXPECT_TRUE(form.Label3->isHidden());
}

TEST_F(FormCommands, DeleteAsksNothingWithoutSelectionAndChangesNothingUnlessYes)
{
    PutExampleTree();
    TForm1& form = OpenForm();
    form.Button3->click();
    EXPECT_TRUE(Script.Asked.isEmpty());

    Script.ConfirmAnswers = {TConfirmAnswer::No, TConfirmAnswer::Cancel};
    Select(form.CategoryTree().FirstNode());
    form.Button3->click();
    form.Button3->click();
    EXPECT_EQ(Script.Asked, QStringList({DeleteQuestion, DeleteQuestion}));
    EXPECT_EQ(Outline().size(), 3u);
    EXPECT_EQ(CategoryNames().size(), 2u);
    EXPECT_EQ(SymbolicNames().size(), 1u);
}

TEST_F(FormCommands, DeleteYesRemovesTheBranchFromViewAndDocument)
{
    PutExampleTree();
    TForm1& form = OpenForm();
    form.Button2->click();
    Script.ConfirmAnswers = {TConfirmAnswer::Yes, TConfirmAnswer::Yes};
    Select(form.CategoryTree().FirstNode()->FirstChild());  // Music, a leaf
    form.Button3->click();
    EXPECT_EQ(Outline(), (std::vector<std::string>{"Arts", "  Sounds@", "Arts", "  Music", "  Sounds@"}));
    EXPECT_EQ(CategoryNames(), (std::vector<std::u16string>{u"Arts", u"Arts", u"Music"}));

    Select(form.CategoryTree().FirstNode());
    form.Button3->click();
    EXPECT_EQ(Outline(), (std::vector<std::string>{"Arts", "  Music", "  Sounds@"}));
    EXPECT_EQ(CategoryNames(), (std::vector<std::u16string>{u"Arts", u"Music"}));
    EXPECT_EQ(SymbolicNames(), std::vector<std::u16string>{u"Sounds"});
    EXPECT_EQ(form.CategoryTree().FindFirstCategoryNode(1), form.CategoryTree().FirstNode());
    EXPECT_TRUE(form.Label3->isHidden());
}

TEST_F(FormCommands, RenameChangesTheRecordOnlyAndSaveWritesIt)
{
    PutExampleTree();
    TForm1& form = OpenForm();
    Script.InputAnswers = {QString("Fine Arts"), std::nullopt, QString("")};
    TTreeNode* arts = form.CategoryTree().FirstNode();
    TTreeNode* sounds = arts->Children()[1].get();
    Select(arts);
    form.Button4->click();
    Select(sounds);
    form.Button4->click();  // cancelled
    Select(arts->FirstChild());
    form.Button4->click();  // OK with an empty text
    EXPECT_EQ(Script.Asked, QStringList({"input Rename (symbolic) category|New name|Arts",
                                         "input Rename (symbolic) category|New name|Sounds",
                                         "input Rename (symbolic) category|New name|Music"}));
    EXPECT_EQ(CategoryNames(), (std::vector<std::u16string>{u"Fine Arts", u""}));
    EXPECT_EQ(SymbolicNames(), std::vector<std::u16string>{u"Sounds"});
    EXPECT_EQ(Outline(), (std::vector<std::string>{"Arts", "  Music", "  Sounds@"}));

    form.Button5->click();
    const std::string saved = TreeFileText();
    EXPECT_NE(saved.find("<Name>Fine Arts</Name>"), std::string::npos);
    EXPECT_NE(saved.find("<Name/>"), std::string::npos);
    EXPECT_TRUE(form.Label3->isHidden());

    Form.reset();
    OpenForm();
    EXPECT_EQ(Outline(), (std::vector<std::string>{"Fine Arts", "  ", "  Sounds@"}));
}

TEST_F(FormCommands, SavingAnEmptyTreeThenReloadingAddsNothing)
{
    TForm1& form = OpenForm();
    form.Button5->click();
    form.Button2->click();
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
    form.Button5->click();
    EXPECT_EQ(Script.Errors.size(), 1);
    EXPECT_FALSE(form.Label3->isHidden());
    EXPECT_TRUE(form.Button5->isEnabled());
    EXPECT_EQ(Outline().size(), 3u);
}

// While a command waits in a dialog, the window handles messages: no second command may
// start, and a close waits for the command's end.
TEST_F(FormCommands, CommandsDoNotOverlapAndACloseWaitsForTheCommand)
{
    PutExampleTree();
    TForm1& form = OpenForm();
    Script.ConfirmAnswers = {TConfirmAnswer::Yes};
    Script.WhileAsking = [&] {
        EXPECT_TRUE(form.CommandRunning());
        for (QPushButton* button : {form.Button1, form.Button2, form.Button3, form.Button4, form.Button5})
            EXPECT_FALSE(button->isEnabled()) << button->objectName().toStdString();
        form.Button2->click();  // refused
        form.RunCommand([] { ADD_FAILURE() << "a second command ran"; });
        EXPECT_FALSE(form.close());
        EXPECT_TRUE(form.isVisible());
    };
    Select(form.CategoryTree().FirstNode());
    form.Button3->click();
    EXPECT_TRUE(Outline().empty());
    EXPECT_TRUE(CategoryNames().empty());
    for (QPushButton* button : {form.Button1, form.Button2, form.Button3, form.Button4, form.Button5})
        EXPECT_TRUE(button->isEnabled()) << button->objectName().toStdString();
    QCoreApplication::processEvents();
    EXPECT_FALSE(form.isVisible());
}

TEST_F(FormCommands, ControlsComeBackAfterAnError)
{
    TForm1& form = OpenForm();
    form.RunCommand([] { throw std::runtime_error("Broken command"); });
    EXPECT_EQ(Script.Errors, QStringList{"Broken command"});
    EXPECT_TRUE(form.Button3->isEnabled());
    EXPECT_FALSE(form.CommandRunning());
}

}  // namespace
