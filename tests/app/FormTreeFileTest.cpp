// The window and the user's tree file: nothing of it is lost or replaced unasked.

#include "FormFixture.h"

#include "tests/support/WholeFile.h"

#include <QLabel>
#include <QPushButton>
#include <QStatusBar>

#include <filesystem>

namespace {

const QString DeleteQuestion =
    "confirm Confirm|This will delte the selected category and all subcategories with symbolic categories. Continue?";
const QString SaveQuestion = "save? Save changes to tree.xml?";

class FormTreeFile : public FormTest {
protected:
    // Opens the example and deletes Music, so that the tree differs from the file.
    TForm1& OpenChangedExample()
    {
        PutExampleTree();
        TForm1& form = OpenForm();
        Script.ConfirmAnswers.push_back(TConfirmAnswer::Yes);
        Select(form.CategoryTree().FirstNode()->FirstChild());
        Child<QPushButton>(form, "Button3")->click();
        Script.Asked.clear();
        return form;
    }

    std::string Example = ReadFile(std::string(TESSAROO_SOURCE_DIR) + "/demo/tree.xml");
};

TEST_F(FormTreeFile, CloseWithChangesAsksAndDoesWhatTheUserAnswers)
{
    TForm1& form = OpenChangedExample();
    Script.SaveAnswers = {TSaveAnswer::Cancel, TSaveAnswer::Discard};
    EXPECT_FALSE(form.close());
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(Outline(), (std::vector<std::string>{"Arts", "  Sounds@"}));
    EXPECT_TRUE(form.close());
    EXPECT_EQ(Script.Asked, QStringList({SaveQuestion, SaveQuestion}));
    EXPECT_EQ(TreeFileText(), Example);

    TForm1& again = OpenChangedExample();
    Script.SaveAnswers = {TSaveAnswer::Save};
    EXPECT_TRUE(again.close());
    EXPECT_EQ(TreeFileText().find("<Name>Music</Name>"), std::string::npos);
    EXPECT_EQ(ReadFile("tree.xml.bak"), Example);

    // Nothing changed since: nothing to ask.
    OpenForm();
    EXPECT_TRUE(Form->close());
    EXPECT_EQ(Script.Asked, QStringList({SaveQuestion}));
}

TEST_F(FormTreeFile, ASaveThatFailsOnCloseKeepsTheWindowOpen)
{
    TForm1& form = OpenChangedExample();
    std::filesystem::remove("tree.xml");
    std::filesystem::create_directory("tree.xml");
    Script.SaveAnswers = {TSaveAnswer::Save};
    EXPECT_FALSE(form.close());
    EXPECT_EQ(Script.Errors.size(), 1);
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(form.TreeChanged());
}

TEST_F(FormTreeFile, ReloadWithChangesAsksFirst)
{
    TForm1& form = OpenChangedExample();
    Script.SaveAnswers = {TSaveAnswer::Cancel, TSaveAnswer::Discard};
    Child<QPushButton>(form, "Button2")->click();
    EXPECT_EQ(Outline(), (std::vector<std::string>{"Arts", "  Sounds@"}));
    Child<QPushButton>(form, "Button2")->click();
    EXPECT_EQ(Outline(), (std::vector<std::string>{"Arts", "  Music", "  Sounds@"}));
    EXPECT_FALSE(form.TreeChanged());
    EXPECT_EQ(Script.Asked, QStringList({SaveQuestion, SaveQuestion}));
    EXPECT_EQ(TreeFileText(), Example);
}

// The file that failed to load may hold the user's work; the empty tree shown must not
// replace it with one click.
TEST_F(FormTreeFile, AFileThatFailedToLoadIsReplacedOnlyWhenTheUserAgrees)
{
    const std::string damaged = Example.substr(0, Example.size() - 20);
    PutTreeFile(damaged);
    TForm1& form = OpenForm();
    ASSERT_EQ(Script.Errors.size(), 1);
    const QString question = "confirm Confirm|tree.xml could not be loaded, so the tree shown is not what it holds. "
                             "Replace tree.xml with the tree shown?";
    Script.ConfirmAnswers = {TConfirmAnswer::No, TConfirmAnswer::Cancel, TConfirmAnswer::Yes};
    Child<QPushButton>(form, "Button5")->click();
    Child<QPushButton>(form, "Button5")->click();
    EXPECT_EQ(TreeFileText(), damaged);
    EXPECT_FALSE(std::filesystem::exists("tree.xml.bak"));
    Child<QPushButton>(form, "Button5")->click();
    EXPECT_EQ(Script.Asked, QStringList({question, question, question}));
    EXPECT_EQ(ReadFile("tree.xml.bak"), damaged);
    EXPECT_EQ(Child<QStatusBar>(form, "StatusBar1")->currentMessage(), "Saved 0 entries to tree.xml");
    // Saved once, the file is the window's own again.
    Child<QPushButton>(form, "Button5")->click();
    EXPECT_EQ(Script.Asked.size(), 3);
}

TEST_F(FormTreeFile, SaveSaysWhatItSavedAndKeepsThePreviousVersion)
{
    TForm1& form = OpenChangedExample();
    Child<QPushButton>(form, "Button5")->click();
    EXPECT_EQ(Child<QStatusBar>(form, "StatusBar1")->currentMessage(), "Saved 2 entries to tree.xml");
    EXPECT_FALSE(form.TreeChanged());
    EXPECT_EQ(ReadFile("tree.xml.bak"), Example);
    EXPECT_TRUE(Script.Asked.isEmpty());
    EXPECT_TRUE(Child<QLabel>(form, "Label3")->isHidden());
}

TEST_F(FormTreeFile, WorksOnAnotherTreeFileWhenNamed)
{
    std::filesystem::create_directory("trees");
    std::filesystem::copy_file(std::string(TESSAROO_SOURCE_DIR) + "/demo/tree.xml", "trees/mine.xml");
    TForm1& form = OpenForm("trees/mine.xml");
    EXPECT_EQ(form.TreeFileName(), "trees/mine.xml");
    EXPECT_EQ(Outline(), (std::vector<std::string>{"Arts", "  Music", "  Sounds@"}));
    Script.ConfirmAnswers = {TConfirmAnswer::Yes};
    Select(form.CategoryTree().FirstNode()->FirstChild());
    Child<QPushButton>(form, "Button3")->click();
    Script.SaveAnswers = {TSaveAnswer::Save};
    Child<QPushButton>(form, "Button2")->click();
    EXPECT_EQ(Script.Asked.back(), "save? Save changes to trees/mine.xml?");
    EXPECT_EQ(Child<QStatusBar>(form, "StatusBar1")->currentMessage(), "");
    EXPECT_EQ(Outline(), (std::vector<std::string>{"Arts", "  Sounds@"}));
    EXPECT_EQ(ReadFile("trees/mine.xml.bak"), Example);
    EXPECT_FALSE(std::filesystem::exists("tree.xml"));

    std::filesystem::remove("trees/mine.xml");
    Child<QPushButton>(form, "Button2")->click();
    EXPECT_EQ(Child<QStatusBar>(form, "StatusBar1")->currentMessage(),
              "There is no tree file trees/mine.xml, so nothing was loaded.");
    EXPECT_EQ(Outline(), (std::vector<std::string>{"Arts", "  Sounds@"}));
}

}  // namespace
