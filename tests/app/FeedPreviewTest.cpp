// The preview of a feed from the window, against the stand-in site.

#include "FormFixture.h"

#include "app/FeedPreview.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/SiteDatabase.h"
#include "tests/support/SiteProcess.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTreeView>

namespace {

class FeedPreview : public FormTest {
protected:
    TForm1& OpenOnSite()
    {
        // A site that checks its symbolic form refuses a symbolic category beside its target;
        // Sounds shows Science under Arts.
        PutOutline("Arts\n"
                   "  Music\n"
                   "  @Sounds -> Top/Science\n"
                   "Science\n");
        TForm1& form = OpenForm();
        Child<QLineEdit>(form, "Edit3")->setText(QString::fromStdString(Site.Domain()));
        Child<QLineEdit>(form, "Edit1")->setText("admin");
        Child<QLineEdit>(form, "Edit2")->setText("demo");
        return form;
    }

    // "Entry | action | reason" per row the preview lists.
    std::vector<std::string> Listed() const
    {
        std::vector<std::string> rows;
        const QAbstractItemModel& model = *Child<QTreeView>(*Form, "PreviewEntries")->model();
        for (int row = 0; row < model.rowCount(); ++row) {
            std::string text;
            for (int column = 0; column < model.columnCount(); ++column)
                text += (column ? " | " : "") + model.index(row, column).data().toString().toStdString();
            rows.push_back(text);
        }
        return rows;
    }

    TFeedPreview* Preview() const { return Child<TFeedPreview>(*Form, "FeedPreview"); }
    QString Totals() const { return Child<QLabel>(*Form, "PreviewTotals")->text(); }

    void DoubleClick(int row) const
    {
        QTreeView* entries = Child<QTreeView>(*Form, "PreviewEntries");
        emit entries->doubleClicked(entries->model()->index(row, 0));
    }

    std::string SiteDatabase = Folder.PathOf("site.db");
    TScopedEnvironment StateFolder{"XDG_STATE_HOME", Folder.PathOf("state")};
    TSiteProcess Site{{"--db", SiteDatabase}};
};

TEST_F(FeedPreview, ListsWhatAFeedWouldDoAndPostsNothing)
{
    TForm1& form = OpenOnSite();
    Child<QAction>(form, "PreviewAction")->trigger();
    ASSERT_NE(form.findChild<TFeedPreview*>("FeedPreview"), nullptr);
    EXPECT_TRUE(Preview()->isVisible());
    EXPECT_EQ(Listed(), (std::vector<std::string>{"Arts | would be created | ", "Arts/Music | would be created | ",
                                                  "Science | would be created | ",
                                                  "symbolic category Sounds | would be posted | "}));
    EXPECT_TRUE(
        Child<QLabel>(form, "PreviewTotals")
            ->text()
            .startsWith(
                "Dry run, nothing posted: 3 would be created, 0 already there, 1 symbolic would be posted, 0 would be "
                "skipped; time taken 0:00:"))
        << Totals().toStdString();
    EXPECT_TRUE(SiteCategories(SiteDatabase).empty());
    EXPECT_TRUE(
        Child<QPlainTextEdit>(form, "Memo1")->toPlainText().startsWith("Dry run, nothing posted: 3 would be created"));
    EXPECT_EQ(Child<QStatusBar>(form, "StatusBar1")->currentMessage(), "Feed finished");
    EXPECT_FALSE(Child<QLabel>(form, "Label3")->isVisible());
    EXPECT_FALSE(Child<QProgressBar>(form, "ProgressBar1")->isVisible());
    EXPECT_TRUE(Script.Messages.isEmpty());
    EXPECT_TRUE(Script.Errors.isEmpty());
}

// After a feed, a preview tells what is there already; the list filters by action and text.
TEST_F(FeedPreview, AfterAFeedTellsWhatIsThereAndFiltersByActionAndText)
{
    TForm1& form = OpenOnSite();
    Child<QPushButton>(form, "Button1")->click();
    ASSERT_EQ(SiteCategories(SiteDatabase).size(), 4u);
    Select(Node("Science"));
    Child<QAction>(form, "AddAction")->trigger();
    Child<QAction>(form, "PreviewAction")->trigger();
    QComboBox* actions = Child<QComboBox>(*Preview(), "PreviewActions");
    EXPECT_EQ(Listed(),
              (std::vector<std::string>{"Arts | already there | ", "Arts/Music | already there | ",
                                        "Science | already there | ", "Science/New category | would be created | ",
                                        "symbolic category Sounds | in the journal | "}));
    EXPECT_EQ(actions->itemText(2), "Already there (3)");

    actions->setCurrentIndex(actions->findText("In the journal (1)"));
    EXPECT_EQ(Listed(), std::vector<std::string>{"symbolic category Sounds | in the journal | "});
    actions->setCurrentIndex(0);
    Child<QLineEdit>(*Preview(), "PreviewFilter")->setText("SCIENCE");
    EXPECT_EQ(Listed(),
              (std::vector<std::string>{"Science | already there | ", "Science/New category | would be created | "}));
    EXPECT_EQ(SiteCategories(SiteDatabase).size(), 4u);
}

TEST_F(FeedPreview, ADoubleClickSelectsTheEntryUntilTheTreeChanges)
{
    TForm1& form = OpenOnSite();
    Child<QAction>(form, "PreviewAction")->trigger();
    DoubleClick(1);
    EXPECT_EQ(form.SelectedNode(), Node("Music"));
    DoubleClick(3);
    EXPECT_EQ(form.SelectedNode(), Node("Sounds@"));

    Script.ConfirmAnswers = {TConfirmAnswer::Yes};
    Select(Node("Science"));
    Child<QPushButton>(form, "Button3")->click();
    EXPECT_TRUE(Preview()->IsOutdated());
    EXPECT_TRUE(Totals().contains("The tree has changed since this preview"));
    DoubleClick(1);
    EXPECT_EQ(form.SelectedNode(), nullptr) << "the deleted selection stays gone";
    Child<QAction>(form, "PreviewAction")->trigger();
    EXPECT_FALSE(Preview()->IsOutdated());
    EXPECT_EQ(Listed().size(), 3u);
}

TEST_F(FeedPreview, AFailedLoginIsReportedAsByAFeed)
{
    TForm1& form = OpenOnSite();
    Child<QLineEdit>(form, "Edit2")->setText("wrong");
    Child<QAction>(form, "PreviewAction")->trigger();
    EXPECT_EQ(Script.Messages, QStringList{"Could not log in."});
    EXPECT_TRUE(Listed().empty());
    EXPECT_TRUE(Totals().endsWith("\nFeed failed: Could not log in.")) << Totals().toStdString();
    EXPECT_FALSE(Child<QLabel>(form, "Label3")->isVisible());
    EXPECT_TRUE(Child<QAction>(form, "PreviewAction")->isEnabled());
}

}  // namespace
