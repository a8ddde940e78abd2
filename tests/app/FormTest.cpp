#include "FormFixture.h"

#include "tests/support/WholeFile.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QTreeView>

#include <filesystem>

namespace {

TEST_F(FormTest, StartsEmptyWithoutTreeFileAndSaysSoInTheStatusBar)
{
    TForm1& form = OpenForm();
    EXPECT_TRUE(Outline().empty());
    EXPECT_TRUE(CategoryNames().empty());
    EXPECT_TRUE(Script.Errors.isEmpty());
    EXPECT_TRUE(Script.Asked.isEmpty());
    EXPECT_TRUE(Child<QLabel>(form, "Label3")->isHidden());
    EXPECT_EQ(Child<QStatusBar>(form, "StatusBar1")->currentMessage(),
              "There is no tree file tree.xml, so nothing was loaded.");
}

TEST_F(FormTest, StartsWithTheTreeOfTheTreeFile)
{
    PutExampleTree();
    OpenForm();
    EXPECT_EQ(Outline(), (std::vector<std::string>{"Arts", "  Music", "  Sounds@"}));
    EXPECT_EQ(CategoryNames(), (std::vector<std::u16string>{u"Arts", u"Music"}));
    EXPECT_EQ(SymbolicNames(), std::vector<std::u16string>{u"Sounds"});
    EXPECT_TRUE(Script.Errors.isEmpty());
}

TEST_F(FormTest, AMalformedTreeFileIsReportedAndTheWindowOpensEmpty)
{
    PutTreeFile("<DUMMY_NODE>\r\n<TXMLTreeNode>");
    TForm1& form = OpenForm();
    EXPECT_EQ(Script.Errors, QStringList{"Start-end tags mismatch (tree.xml, line 2, column 14)"});
    EXPECT_TRUE(Outline().empty());
    EXPECT_TRUE(CategoryNames().empty());
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(Child<QPushButton>(form, "Button2")->isEnabled());
    EXPECT_TRUE(Child<QLabel>(form, "Label3")->isHidden());
}

TEST_F(FormTest, CaptionCarriesTheFileVersionOfTheExecutable)
{
    TForm1& form = OpenForm();
    EXPECT_EQ(form.windowTitle().toStdString(), std::string("Tessaroo - ") + TESSAROO_VERSION);
}

TEST_F(FormTest, ControlsHaveTheirDesignSettings)
{
    TForm1& form = OpenForm();
    EXPECT_EQ(Child<QLineEdit>(form, "Edit3")->text(), "localhost:8642");
    EXPECT_TRUE(Child<QLineEdit>(form, "Edit1")->text().isEmpty());
    QLineEdit* password = Child<QLineEdit>(form, "Edit2");
    EXPECT_EQ(password->echoMode(), QLineEdit::Password);
    password->setText("secret");
    EXPECT_EQ(password->displayText().toStdString(), "******");
    const QPlainTextEdit* messages = Child<QPlainTextEdit>(form, "Memo1");
    EXPECT_TRUE(messages->isReadOnly());
    EXPECT_EQ(messages->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(messages->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    const QPushButton* feed = Child<QPushButton>(form, "Button1");
    EXPECT_EQ(feed->text(), "Login && Feed");
    EXPECT_TRUE(feed->isDefault());
    const QLabel* pleaseWait = Child<QLabel>(form, "Label3");
    EXPECT_EQ(pleaseWait->text(), "Please wait...");
    EXPECT_TRUE(pleaseWait->font().bold());
    EXPECT_EQ(pleaseWait->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_EQ(TreeView()->indentation(), 19);
}

// Issues, tests and tools reach the window's parts by these names alone, so each one names
// exactly one part, of its kind.
TEST_F(FormTest, EveryControlAndActionIsFoundByItsOwnName)
{
    TForm1& form = OpenForm();
    const std::vector<std::pair<const char*, const char*>> parts = {{"Label1", "QLabel"},
                                                                    {"Label2", "QLabel"},
                                                                    {"Label3", "QLabel"},
                                                                    {"Label4", "QLabel"},
                                                                    {"Edit1", "QLineEdit"},
                                                                    {"Edit2", "QLineEdit"},
                                                                    {"Edit3", "QLineEdit"},
                                                                    {"Button1", "QPushButton"},
                                                                    {"Button2", "QPushButton"},
                                                                    {"Button3", "QPushButton"},
                                                                    {"Button4", "QPushButton"},
                                                                    {"Button5", "QPushButton"},
                                                                    {"Button6", "QPushButton"},
                                                                    {"Memo1", "QPlainTextEdit"},
                                                                    {"categories", "QTreeView"},
                                                                    {"StatusBar1", "QStatusBar"},
                                                                    {"ProgressBar1", "QProgressBar"},
                                                                    {"TreeLabel", "QLabel"},
                                                                    {"FindBar", "QWidget"},
                                                                    {"FindField", "QLineEdit"},
                                                                    {"FindCount", "QLabel"},
                                                                    {"TreeMenu", "QMenu"},
                                                                    {"AddAction", "QAction"},
                                                                    {"AddSymbolicAction", "QAction"},
                                                                    {"RenameAction", "QAction"},
                                                                    {"DeleteAction", "QAction"},
                                                                    {"CutAction", "QAction"},
                                                                    {"PasteAction", "QAction"},
                                                                    {"UndoAction", "QAction"},
                                                                    {"RedoAction", "QAction"},
                                                                    {"FindAction", "QAction"},
                                                                    {"FindNextAction", "QAction"},
                                                                    {"FindPreviousAction", "QAction"},
                                                                    {"OpenAction", "QAction"},
                                                                    {"SaveAsAction", "QAction"},
                                                                    {"ReloadAction", "QAction"},
                                                                    {"SaveAction", "QAction"},
                                                                    {"PreviewAction", "QAction"}};
    for (const auto& [name, kind] : parts) {
        const QList<QObject*> found = form.findChildren<QObject*>(name);
        ASSERT_EQ(found.size(), 1) << name;
        EXPECT_TRUE(found.front()->inherits(kind)) << name << " is a " << found.front()->metaObject()->className();
    }
    EXPECT_THROW(Child<QPushButton>(form, "Button7"), EAssertionFailed);
    EXPECT_THROW(Child<QPushButton>(form, "Edit1"), EAssertionFailed) << "a part of another kind";
}

TEST_F(FormTest, TabOrderRunsFromUsernameToDomain)
{
    TForm1& form = OpenForm();
    std::vector<QWidget*> expected;
    for (const char* name :
         {"Edit1", "Edit2", "Button1", "categories", "Button2", "Button3", "Button4", "Button5", "Memo1", "Edit3"})
        expected.push_back(Child<QWidget>(form, name));
    QWidget* username = expected.front();
    // The focus chain also holds the parts inside the controls (scroll bars, viewports).
    std::vector<QWidget*> chain = {username};
    for (QWidget* w = username->nextInFocusChain(); w != username; w = w->nextInFocusChain())
        if (std::find(expected.begin(), expected.end(), w) != expected.end())
            chain.push_back(w);
    EXPECT_EQ(chain, expected);

    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    EXPECT_EQ(QApplication::focusWidget(), username) << "the window opens with the focus on Username";
}

TEST_F(FormTest, CannotShrinkBelowTheMinimumSize)
{
    TForm1& form = OpenForm();
    form.resize(100, 100);
    EXPECT_GE(form.width(), 541);
    EXPECT_GE(form.height(), 355);
}

TEST_F(FormTest, EnlargingMovesTheRightColumnAndStretchesTreeAndMessagePane)
{
    TForm1& form = OpenForm();
    form.resize(535 + 200, 349 + 100);
    EXPECT_EQ(Child<QLineEdit>(form, "Edit3")->geometry(), QRect(374 + 200, 8, 153, 21));
    EXPECT_EQ(Child<QPushButton>(form, "Button1")->geometry(), QRect(454 + 200, 80, 75, 25));
    // Labels take their text's width.
    EXPECT_EQ(Child<QLabel>(form, "Label3")->geometry().topLeft(), QPoint(306 + 200, 88));
    EXPECT_EQ(Child<QPushButton>(form, "Button5")->geometry(), QRect(422 + 200, 152, 105, 25));
    EXPECT_EQ(TreeView()->geometry(), QRect(0, 0, 297, 329 + 100));
    EXPECT_EQ(Child<QPlainTextEdit>(form, "Memo1")->geometry(), QRect(304, 184, 223 + 200, 145 + 100));
    EXPECT_EQ(Child<QStatusBar>(form, "StatusBar1")->geometry(), QRect(0, 330 + 100, 535 + 200, 19));
}

// A feed posts the whole tree to the site: Enter starts one only where a login is typed.
TEST_F(FormTest, EnterPressesLoginAndFeedOnlyInTheLoginFields)
{
    PutExampleTree();
    TForm1& form = OpenForm();
    QSignalSpy clicks(Child<QPushButton>(form, "Button1"), &QPushButton::clicked);
    for (const char* field : {"Edit1", "Edit2", "Edit3"})
        QTest::keyClick(Child<QLineEdit>(form, field), Qt::Key_Return);
    EXPECT_EQ(clicks.count(), 3);
    Select(form.CategoryTree().FirstNode());
    for (QWidget* other :
         std::initializer_list<QWidget*>{Child<QWidget>(form, "categories"), Child<QWidget>(form, "Memo1"),
                                         Child<QWidget>(form, "StatusBar1"), &form}) {
        other->setFocus();
        QTest::keyClick(other, Qt::Key_Return);
        QTest::keyClick(other, Qt::Key_Enter);
    }
    EXPECT_EQ(clicks.count(), 3);
    EXPECT_TRUE(Script.Asked.isEmpty());
}

TEST_F(FormTest, RemembersDomainUsernameAndPlaceButNeverThePassword)
{
    TForm1& form = OpenForm();
    Child<QLineEdit>(form, "Edit3")->setText("directory.example.org");
    Child<QLineEdit>(form, "Edit1")->setText("editor");
    Child<QLineEdit>(form, "Edit2")->setText("secret-password");
    form.resize(700, 500);
    form.move(40, 60);
    const QRect placed = form.geometry();
    ASSERT_TRUE(form.close());

    TForm1& again = OpenForm();
    EXPECT_EQ(Child<QLineEdit>(again, "Edit3")->text(), "directory.example.org");
    EXPECT_EQ(Child<QLineEdit>(again, "Edit1")->text(), "editor");
    EXPECT_TRUE(Child<QLineEdit>(again, "Edit2")->text().isEmpty());
    EXPECT_EQ(again.geometry(), placed);
    std::string settings;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(Folder.Path() / "settings"))
        settings += ReadFile(entry.path());
    EXPECT_NE(settings.find("editor"), std::string::npos);
    EXPECT_EQ(settings.find("secret-password"), std::string::npos);
}

}  // namespace
