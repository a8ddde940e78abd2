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
        form.categories->setFocus();
        return form;
    }

    // "Text" per shown row, "*" before the text of a match, "  " per level.
    std::vector<std::string> ShownRows() const
    {
        const QAbstractItemModel& model = *Form->categories->model();
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
                QTest::keyClick(Form->FindField, c.toLatin1());
            else
                Form->FindField->insert(c);
        }
    }
    QString Selected() const { return Form->categories->currentIndex().data().toString(); }
};

TEST_F(FormFind, CtrlFOpensTheFieldAboveTheTreeAndEscapeClosesIt)
{
    TForm1& form = OpenDirectory();
    const QRect atRest = form.categories->geometry();
    EXPECT_FALSE(form.FindBar->isVisible());
    QTest::keyClick(form.categories, Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(form.FindBar->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), form.FindField);
    EXPECT_TRUE(form.FindField->isClearButtonEnabled());
    EXPECT_EQ(form.FindBar->geometry().top(), 0);
    EXPECT_GT(form.categories->geometry().top(), form.FindBar->geometry().bottom());
    EXPECT_EQ(form.categories->geometry().bottom(), atRest.bottom());

    QSignalSpy stops(form.findChild<QShortcut*>(), &QShortcut::activated);
    QTest::keyClick(form.FindField, Qt::Key_Escape);
    EXPECT_FALSE(form.FindBar->isVisible());
    EXPECT_EQ(form.categories->geometry(), atRest);
    EXPECT_EQ(stops.count(), 0) << "Escape in the find field closes the find, and asks no feed to stop";
}

TEST_F(FormFind, TabGoesFromTheFindFieldToTheTreeItFilters)
{
    TForm1& form = OpenDirectory();
    form.FindAction->trigger();
    QTest::keyClick(form.FindField, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), form.categories);
}

TEST_F(FormFind, TypingShowsTheMatchesWithTheirAncestorsAndCountsThem)
{
    TForm1& form = OpenDirectory();
    form.FindAction->trigger();
    Type("MUSIC");
    EXPECT_EQ(ShownRows(),
              (std::vector<std::string>{"Arts", "  *Music", "    *Caf\xc3\xa9 music", "Science", "  *Musicology"}));
    EXPECT_EQ(form.FindCount->text(), "1 of 3 matches");
    EXPECT_EQ(Selected(), "Music");

    form.FindField->clear();
    Type("caf\xc3\xa9");
    EXPECT_EQ(ShownRows(), (std::vector<std::string>{"Arts", "  Music", "    *Caf\xc3\xa9 music"}));
    EXPECT_EQ(form.FindCount->text(), "1 of 1 match");
    Type("s");
    EXPECT_TRUE(ShownRows().empty());
    EXPECT_EQ(form.FindCount->text(), "No match");

    form.FindField->clear();
    EXPECT_EQ(Outline().size(), 8u) << "an empty field shows the whole tree";
    EXPECT_EQ(form.categories->model()->rowCount(), 2);
}

TEST_F(FormFind, EnterAndF3StepThroughTheMatchesAndShiftGoesBack)
{
    TForm1& form = OpenDirectory();
    form.FindAction->trigger();
    Type("music");
    QTest::keyClick(form.FindField, Qt::Key_Return);
    EXPECT_EQ(Selected(), "Caf\xc3\xa9 music");
    EXPECT_EQ(form.FindCount->text(), "2 of 3 matches");
    QTest::keyClick(form.FindField, Qt::Key_F3);
    EXPECT_EQ(Selected(), "Musicology");
    QTest::keyClick(form.categories, Qt::Key_F3);
    EXPECT_EQ(Selected(), "Music") << "round from the last match to the first";
    QTest::keyClick(form.FindField, Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(Selected(), "Musicology");
    QTest::keyClick(form.FindField, Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(Selected(), "Caf\xc3\xa9 music");
    EXPECT_EQ(form.FindCount->text(), "2 of 3 matches");
}

// The entry found is the one the user wants: closing the find keeps it selected and in sight.
TEST_F(FormFind, EscapeKeepsTheSelectedMatchSelectedInTheTree)
{
    TForm1& form = OpenDirectory();
    form.categories->collapseAll();
    form.FindAction->trigger();
    Type("caf");
    QTest::keyClick(form.FindField, Qt::Key_Escape);
    EXPECT_EQ(form.SelectedNode(), Node("Caf\xc3\xa9 music"));
    EXPECT_TRUE(form.categories->isExpanded(form.categories->currentIndex().parent()));
    EXPECT_EQ(form.categories->model()->rowCount(), 2);
    EXPECT_EQ(QApplication::focusWidget(), form.categories);
    EXPECT_FALSE(form.FindNextAction->isEnabled());
}

// The commands act on the entry selected in the list, and the list follows what they did.
TEST_F(FormFind, CommandsWorkOnTheFoundEntriesAndTheFindFollows)
{
    TForm1& form = OpenDirectory();
    form.FindAction->trigger();
    Type("music");
    QTest::keyClick(form.FindField, Qt::Key_F3, Qt::ShiftModifier);
    ASSERT_EQ(Selected(), "Musicology");
    Script.ConfirmAnswers = {TConfirmAnswer::Yes};
    form.Button3->click();
    EXPECT_EQ(ShownRows(), (std::vector<std::string>{"Arts", "  *Music", "    *Caf\xc3\xa9 music"}));
    EXPECT_EQ(form.FindCount->text(), "1 of 2 matches");
    EXPECT_EQ(CategoryNames(),
              (std::vector<std::u16string>{u"Arts", u"Music", u"Jazz", u"Caf\u00e9 music", u"Science", u"Physics"}));
    form.UndoAction->trigger();
    EXPECT_EQ(ShownRows().back(), "  *Musicology");
    EXPECT_EQ(Selected(), "Musicology");

    Script.InputAnswers = {QString("Folk")};
    form.Button4->click();
    EXPECT_EQ(ShownRows(), (std::vector<std::string>{"Arts", "  *Music", "    *Caf\xc3\xa9 music"}));

    // An add closes the find: its new entry matches nothing typed.
    form.AddAction->trigger();
    EXPECT_FALSE(form.FindBar->isVisible());
    EXPECT_EQ(Outline()[4], "    New category");
}

}  // namespace
