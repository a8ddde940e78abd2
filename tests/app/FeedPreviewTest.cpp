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
        form.Edit3->setText(QString::fromStdString(Site.Domain()));
        form.Edit1->setText("admin");
        form.Edit2->setText("demo");
        return form;
    }

    // "Entry | action | reason" per row the preview lists.
    std::vector<std::string> Listed() const
    {
        std::vector<std::string> rows;
        const QAbstractItemModel& model = *Form->Preview()->Entries->model();
        for (int row = 0; row < model.rowCount(); ++row) {
            std::string text;
            for (int column = 0; column < model.columnCount(); ++column)
                text += (column ? " | " : "") + model.index(row, column).data().toString().toStdString();
            rows.push_back(text);
        }
        return rows;
    }

    void DoubleClick(int row) const
    {
        QTreeView* entries = Form->Preview()->Entries;
        emit entries->doubleClicked(entries->model()->index(row, 0));
    }

    std::string SiteDatabase = Folder.PathOf("site.db");
    TScopedEnvironment StateFolder{"XDG_STATE_HOME", Folder.PathOf("state")};
    TSiteProcess Site{{"--db", SiteDatabase}};
};

TEST_F(FeedPreview, ListsWhatAFeedWouldDoAndPostsNothing)
{
    TForm1& form = OpenOnSite();
    form.PreviewAction->trigger();
    ASSERT_NE(form.Preview(), nullptr);
    EXPECT_TRUE(form.Preview()->isVisible());
    EXPECT_EQ(Listed(), (std::vector<std::string>{"Arts | would be created | ", "Arts/Music | would be created | ",
                                                  "Science | would be created | ",
                                                  "symbolic category Sounds | would be posted | "}));
    EXPECT_TRUE(form.Preview()->Totals->text().startsWith(
        "Dry run, nothing posted: 3 would be created, 0 already there, 1 symbolic would be posted, 0 would be "
        "skipped; time taken 0:00:"))
        << form.Preview()->Totals->text().toStdString();
    EXPECT_TRUE(SiteCategories(SiteDatabase).empty());
    EXPECT_TRUE(form.Memo1->toPlainText().startsWith("Dry run, nothing posted: 3 would be created"));
    EXPECT_EQ(form.StatusBar1->currentMessage(), "Feed finished");
    EXPECT_FALSE(form.Label3->isVisible());
    EXPECT_FALSE(form.ProgressBar1->isVisible());
    EXPECT_TRUE(Script.Messages.isEmpty());
    EXPECT_TRUE(Script.Errors.isEmpty());
}

// After a feed, a preview tells what is there already; the list filters by action and text.
TEST_F(FeedPreview, AfterAFeedTellsWhatIsThereAndFiltersByActionAndText)
{
    TForm1& form = OpenOnSite();
    form.Button1->click();
    ASSERT_EQ(SiteCategories(SiteDatabase).size(), 4u);
    Select(Node("Science"));
    form.AddAction->trigger();
    form.PreviewAction->trigger();
    TFeedPreview& preview = *form.Preview();
    EXPECT_EQ(Listed(),
              (std::vector<std::string>{"Arts | already there | ", "Arts/Music | already there | ",
                                        "Science | already there | ", "Science/New category | would be created | ",
                                        "symbolic category Sounds | in the journal | "}));
    EXPECT_EQ(preview.Actions->itemText(2), "Already there (3)");

    preview.Actions->setCurrentIndex(preview.Actions->findText("In the journal (1)"));
    EXPECT_EQ(Listed(), std::vector<std::string>{"symbolic category Sounds | in the journal | "});
    preview.Actions->setCurrentIndex(0);
    preview.Filter->setText("SCIENCE");
    EXPECT_EQ(Listed(),
              (std::vector<std::string>{"Science | already there | ", "Science/New category | would be created | "}));
    EXPECT_EQ(SiteCategories(SiteDatabase).size(), 4u);
}

TEST_F(FeedPreview, ADoubleClickSelectsTheEntryUntilTheTreeChanges)
{
    TForm1& form = OpenOnSite();
    form.PreviewAction->trigger();
    DoubleClick(1);
    EXPECT_EQ(form.SelectedNode(), Node("Music"));
    DoubleClick(3);
    EXPECT_EQ(form.SelectedNode(), Node("Sounds@"));

    Script.ConfirmAnswers = {TConfirmAnswer::Yes};
    Select(Node("Science"));
    form.Button3->click();
    EXPECT_TRUE(form.Preview()->IsOutdated());
    EXPECT_TRUE(form.Preview()->Totals->text().contains("The tree has changed since this preview"));
    DoubleClick(1);
    EXPECT_EQ(form.SelectedNode(), nullptr) << "the deleted selection stays gone";
    form.PreviewAction->trigger();
    EXPECT_FALSE(form.Preview()->IsOutdated());
    EXPECT_EQ(Listed().size(), 3u);
}

TEST_F(FeedPreview, AFailedLoginIsReportedAsByAFeed)
{
    TForm1& form = OpenOnSite();
    form.Edit2->setText("wrong");
    form.PreviewAction->trigger();
    EXPECT_EQ(Script.Messages, QStringList{"Could not log in."});
    EXPECT_TRUE(Listed().empty());
    EXPECT_TRUE(form.Preview()->Totals->text().endsWith("\nFeed failed: Could not log in."))
        << form.Preview()->Totals->text().toStdString();
    EXPECT_FALSE(form.Label3->isVisible());
    EXPECT_TRUE(form.PreviewAction->isEnabled());
}

}  // namespace
