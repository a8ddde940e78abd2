// Finding entries by name in the window.

#include "FormFixture.h"

#include "app/CategoryTreeModel.h"
#include "app/FindField.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>

namespace {

const std::string Directory = "Arts\n"
                              "  Music\n"
                              "    Jazz\n"
                              "    Caf\xc3\xa9 music\n"
                              "  @Sounds -> Top/Arts/Music\n"
                              "Science\n"
                              "  Musicology\n"
                              "  Physics\n";

class FormFind : public FormTest {
protected:
    TForm1& OpenDirectory()
    {
        PutOutline(Directory);
        TForm1& form = OpenActiveForm();
        TreeView()->setFocus();
        return form;
    }

    // "Text" per shown row, "*" before the text of a match, "  " per level.
    std::vector<std::string> ShownRows() const
    {
        const QAbstractItemModel& model = *TreeView()->model();
        std::vector<std::string> rows;
        for (int row = 0; row < model.rowCount(); ++row) {
            const QModelIndex index = model.index(row, 0);
            const int depth = index.data(TCategoryTreeModel::FoundDepthRole).toInt();
            const bool bold = index.data(Qt::FontRole).value<QFont>().bold();
            rows.push_back(std::string(2 * depth, ' ') + (bold ? "*" : "") + index.data().toString().toStdString());
        }
        return rows;
    }

    // Key by key; what a keyboard here does not have goes in as typed by an input method.
    void Type(const QString& text) const
    {
        for (const QChar c : text) {
            if (c.unicode() < 0x80)
                QTest::keyClick(FindField(), c.toLatin1());
            else
                FindField()->insert(c);
        }
    }
    QLineEdit* FindField() const { return Child<QLineEdit>(*Form, "FindField"); }
    QWidget* FindBar() const { return Child<QWidget>(*Form, "FindBar"); }
    QString FindCount() const { return Child<QLabel>(*Form, "FindCount")->text(); }
    QString Selected() const { return TreeView()->currentIndex().data().toString(); }
};

TEST_F(FormFind, CtrlFOpensTheFieldAboveTheTreeAndEscapeClosesIt)
{
    TForm1& form = OpenDirectory();
    const QRect atRest = TreeView()->geometry();
    EXPECT_FALSE(FindBar()->isVisible());
    QTest::keyClick(TreeView(), Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(FindBar()->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), FindField());
    EXPECT_TRUE(FindField()->isClearButtonEnabled());
    EXPECT_EQ(FindBar()->geometry().top(), 0);
    EXPECT_GT(TreeView()->geometry().top(), FindBar()->geometry().bottom());
    EXPECT_EQ(TreeView()->geometry().bottom(), atRest.bottom());

    QSignalSpy stops(form.findChild<QShortcut*>(), &QShortcut::activated);
    QTest::keyClick(FindField(), Qt::Key_Escape);
    EXPECT_FALSE(FindBar()->isVisible());
    EXPECT_EQ(TreeView()->geometry(), atRest);
    EXPECT_EQ(stops.count(), 0) << "Escape in the find field closes the find, and asks no feed to stop";
}

TEST_F(FormFind, TabGoesFromTheFindFieldToTheTreeItFilters)
{
    TForm1& form = OpenDirectory();
    Child<QAction>(form, "FindAction")->trigger();
    QTest::keyClick(FindField(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), TreeView());
}

TEST_F(FormFind, TypingShowsTheMatchesWithTheirAncestorsAndCountsThem)
{
    TForm1& form = OpenDirectory();
    Child<QAction>(form, "FindAction")->trigger();
    Type("MUSIC");
    EXPECT_EQ(ShownRows(),
              (std::vector<std::string>{"Arts", "  *Music", "    *Caf\xc3\xa9 music", "Science", "  *Musicology"}));
    EXPECT_EQ(FindCount(), "1 of 3 matches");
    EXPECT_EQ(Selected(), "Music");

    FindField()->clear();
    Type("caf\xc3\xa9");
    EXPECT_EQ(ShownRows(), (std::vector<std::string>{"Arts", "  Music", "    *Caf\xc3\xa9 music"}));
    EXPECT_EQ(FindCount(), "1 of 1 match");
    Type("s");
    EXPECT_TRUE(ShownRows().empty());
    EXPECT_EQ(FindCount(), "No match");

    FindField()->clear();
    EXPECT_EQ(Outline().size(), 8u) << "an empty field shows the whole tree";
    EXPECT_EQ(TreeView()->model()->rowCount(), 2);
}

TEST_F(FormFind, EnterAndF3StepThroughTheMatchesAndShiftGoesBack)
{
    TForm1& form = OpenDirectory();
    Child<QAction>(form, "FindAction")->trigger();
    Type("music");
    QTest::keyClick(FindField(), Qt::Key_Return);
    EXPECT_EQ(Selected(), "Caf\xc3\xa9 music");
    EXPECT_EQ(FindCount(), "2 of 3 matches");
    QTest::keyClick(FindField(), Qt::Key_F3);
    EXPECT_EQ(Selected(), "Musicology");
    QTest::keyClick(TreeView(), Qt::Key_F3);
    EXPECT_EQ(Selected(), "Music") << "round from the last match to the first";
    QTest::keyClick(FindField(), Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(Selected(), "Musicology");
    QTest::keyClick(FindField(), Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(Selected(), "Caf\xc3\xa9 music");
    EXPECT_EQ(FindCount(), "2 of 3 matches");
}

// The entry found is the one the user wants: closing the find keeps it selected and in sight.
TEST_F(FormFind, EscapeKeepsTheSelectedMatchSelectedInTheTree)
{
    TForm1& form = OpenDirectory();
    TreeView()->collapseAll();
    Child<QAction>(form, "FindAction")->trigger();
    Type("caf");
    QTest::keyClick(FindField(), Qt::Key_Escape);
    EXPECT_EQ(form.SelectedNode(), Node("Caf\xc3\xa9 music"));
    EXPECT_TRUE(TreeView()->isExpanded(TreeView()->currentIndex().parent()));
    EXPECT_EQ(TreeView()->model()->rowCount(), 2);
    EXPECT_EQ(QApplication::focusWidget(), TreeView());
    EXPECT_FALSE(Child<QAction>(form, "FindNextAction")->isEnabled());
}

// The commands act on the entry selected in the list, and the list follows what they did.
TEST_F(FormFind, CommandsWorkOnTheFoundEntriesAndTheFindFollows)
{
    TForm1& form = OpenDirectory();
    Child<QAction>(form, "FindAction")->trigger();
    Type("music");
    QTest::keyClick(FindField(), Qt::Key_F3, Qt::ShiftModifier);
    ASSERT_EQ(Selected(), "Musicology");
    Script.ConfirmAnswers = {TConfirmAnswer::Yes};
    Child<QPushButton>(form, "Button3")->click();
    EXPECT_EQ(ShownRows(), (std::vector<std::string>{"Arts", "  *Music", "    *Caf\xc3\xa9 music"}));
    EXPECT_EQ(FindCount(), "1 of 2 matches");
    EXPECT_EQ(CategoryNames(),
              (std::vector<std::u16string>{u"Arts", u"Music", u"Jazz", u"Caf\u00e9 music", u"Science", u"Physics"}));
    Child<QAction>(form, "UndoAction")->trigger();
    EXPECT_EQ(ShownRows().back(), "  *Musicology");
    EXPECT_EQ(Selected(), "Musicology");

    Script.InputAnswers = {QString("Folk")};
    Child<QPushButton>(form, "Button4")->click();
    EXPECT_EQ(ShownRows(), (std::vector<std::string>{"Arts", "  *Music", "    *Caf\xc3\xa9 music"}));

    // An add closes the find: its new entry matches nothing typed.
    Child<QAction>(form, "AddAction")->trigger();
    EXPECT_FALSE(FindBar()->isVisible());
    EXPECT_EQ(Outline()[4], "    New category");
}

}  // namespace
