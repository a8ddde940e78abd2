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
    EXPECT_TRUE(form.Label3->isHidden());
    EXPECT_EQ(form.StatusBar1->currentMessage(), "There is no tree file tree.xml, so nothing was loaded.");
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
    EXPECT_TRUE(form.Button2->isEnabled());
    EXPECT_TRUE(form.Label3->isHidden());
}

TEST_F(FormTest, CaptionCarriesTheFileVersionOfTheExecutable)
{
    TForm1& form = OpenForm();
    EXPECT_EQ(form.windowTitle().toStdString(), std::string("Tessaroo - ") + TESSAROO_VERSION);
}

TEST_F(FormTest, ControlsHaveTheirDesignSettings)
{
    TForm1& form = OpenForm();
    EXPECT_EQ(form.Edit3->text(), "localhost:8642");
    EXPECT_TRUE(form.Edit1->text().isEmpty());
    EXPECT_EQ(form.Edit2->echoMode(), QLineEdit::Password);
    form.Edit2->setText("secret");
    EXPECT_EQ(form.Edit2->displayText().toStdString(), "******");
    EXPECT_TRUE(form.Memo1->isReadOnly());
    EXPECT_EQ(form.Memo1->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(form.Memo1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(form.Button1->text(), "Login && Feed");
    EXPECT_TRUE(form.Button1->isDefault());
    EXPECT_EQ(form.Label3->text(), "Please wait...");
    EXPECT_TRUE(form.Label3->font().bold());
    EXPECT_EQ(form.Label3->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_EQ(form.categories->indentation(), 19);
    EXPECT_EQ(form.categories->objectName(), "categories");
}

TEST_F(FormTest, TabOrderRunsFromUsernameToDomain)
{
    TForm1& form = OpenForm();
    const std::vector<QWidget*> expected = {form.Edit1,   form.Edit2,   form.Button1, form.categories, form.Button2,
                                            form.Button3, form.Button4, form.Button5, form.Memo1,      form.Edit3};
    // The focus chain also holds the parts inside the controls (scroll bars, viewports).
    std::vector<QWidget*> chain = {form.Edit1};
    for (QWidget* w = form.Edit1->nextInFocusChain(); w != form.Edit1; w = w->nextInFocusChain())
        if (std::find(expected.begin(), expected.end(), w) != expected.end())
            chain.push_back(w);
    EXPECT_EQ(chain, expected);

    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    EXPECT_EQ(QApplication::focusWidget(), form.Edit1) << "the window opens with the focus on Username";
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
    EXPECT_EQ(form.Edit3->geometry(), QRect(374 + 200, 8, 153, 21));
    EXPECT_EQ(form.Button1->geometry(), QRect(454 + 200, 80, 75, 25));
    EXPECT_EQ(form.Label3->geometry().topLeft(), QPoint(306 + 200, 88));  // labels take their text's width
    EXPECT_EQ(form.Button5->geometry(), QRect(422 + 200, 152, 105, 25));
    EXPECT_EQ(form.categories->geometry(), QRect(0, 0, 297, 329 + 100));
    EXPECT_EQ(form.Memo1->geometry(), QRect(304, 184, 223 + 200, 145 + 100));
    EXPECT_EQ(form.StatusBar1->geometry(), QRect(0, 330 + 100, 535 + 200, 19));
}

// A feed posts the whole tree to the site: Enter starts one only where a login is typed.
TEST_F(FormTest, EnterPressesLoginAndFeedOnlyInTheLoginFields)
{
    PutExampleTree();
    TForm1& form = OpenForm();
    QSignalSpy clicks(form.Button1, &QPushButton::clicked);
    for (QLineEdit* edit : {form.Edit1, form.Edit2, form.Edit3})
        QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(clicks.count(), 3);
    Select(form.CategoryTree().FirstNode());
    for (QWidget* other : std::initializer_list<QWidget*>{form.categories, form.Memo1, form.StatusBar1, &form}) {
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
    form.Edit3->setText("directory.example.org");
    form.Edit1->setText("editor");
    form.Edit2->setText("secret-password");
    form.resize(700, 500);
    form.move(40, 60);
    const QRect placed = form.geometry();
    ASSERT_TRUE(form.close());

    TForm1& again = OpenForm();
    EXPECT_EQ(again.Edit3->text(), "directory.example.org");
    EXPECT_EQ(again.Edit1->text(), "editor");
    EXPECT_TRUE(again.Edit2->text().isEmpty());
    EXPECT_EQ(again.geometry(), placed);
    std::string settings;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(Folder.Path() / "settings"))
        settings += ReadFile(entry.path());
    EXPECT_NE(settings.find("editor"), std::string::npos);
    EXPECT_EQ(settings.find("secret-password"), std::string::npos);
}

}  // namespace
