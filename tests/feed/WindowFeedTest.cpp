// A feed run through the real window, shown offscreen, against the stand-in site.

#include "app/Form1.h"
#include "model/CategoryClasses.h"
#include "tests/support/SiteProcess.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WholeFile.h"
#include "tests/support/WorkingDirectory.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

namespace {

const char* const ExampleTree =
    "<DUMMY_NODE><TXMLTreeNode><Data isNull=\"true\"/><Nodes>"
    "<TXMLTreeNode><Data><TCategory><Content>0</Content><ID>1</ID><Name>Arts</Name><Url>Top/Arts</Url></TCategory>"
    "</Data><Nodes>"
    "<TXMLTreeNode><Data><TCategory><Content>5</Content><ID>2</ID><Name>Music</Name><Url>Top/Arts/Music</Url>"
    "</TCategory></Data><Nodes/></TXMLTreeNode>"
    "<TXMLTreeNode><Data><TSymbolicCategory><Name>Sounds</Name><Parent>1</Parent><Url>Top/Arts/Music</Url>"
    "</TSymbolicCategory></Data><Nodes/></TXMLTreeNode>"
    "</Nodes></TXMLTreeNode></Nodes></TXMLTreeNode></DUMMY_NODE>";

class TRecordingDialogs : public TDialogs {
public:
    explicit TRecordingDialogs(std::vector<QString>& shown) : Shown(shown) {}

    TConfirmAnswer Confirm(QWidget*, const QString&, const QString&) override { return TConfirmAnswer::Cancel; }
    TSaveAnswer AskToSave(QWidget*, const QString&) override { return TSaveAnswer::Cancel; }
    QString InputBox(QWidget*, const QString&, const QString&, const QString& initial) override { return initial; }
    void ShowMessage(QWidget*, const QString& text) override { Shown.push_back("message: " + text); }
    void ShowError(QWidget*, const QString& message) override { Shown.push_back("error: " + message); }

private:
    std::vector<QString>& Shown;
};

QApplication& Application()
{
    static int argc = 1;
    static char name[] = "tessaroo";
    static char* argv[] = {name, nullptr};
    static QApplication application(argc, argv);
    return application;
}

class WindowFeed : public ::testing::Test {
protected:
    WindowFeed()
    {
        Application();
        RegisterCategoryClasses();
        WriteFile("tree.xml", ExampleTree);
        Form = std::make_unique<TForm1>(std::make_unique<TRecordingDialogs>(Shown));
        Form->show();
    }

    void TypeFields(const std::string& password)
    {
        Form->Edit3->setText(QString::fromStdString(Site.Domain()));
        Form->Edit1->setText("admin");
        Form->Edit2->setText(QString::fromStdString(password));
    }

    TTempFolder Scratch;
    TWorkingDirectory InScratch{Scratch.Path()};
    TSiteProcess Site;
    std::vector<QString> Shown;
    std::unique_ptr<TForm1> Form;
};

}  // namespace

TEST_F(WindowFeed, PressingTheButtonFeedsTheTreeAndReportsInTheWindow)
{
    TypeFields("demo");
    Form->Button1->click();

    EXPECT_TRUE(Shown.empty()) << Shown.front().toStdString();
    EXPECT_EQ(Form->StatusBar1->currentMessage(), "Processing symbolic category 1 of 1");
    EXPECT_TRUE(Form->Memo1->toPlainText().isEmpty());
    EXPECT_FALSE(Form->Label3->isVisible());

    Form->Button1->click();
    EXPECT_EQ(Form->Memo1->toPlainText(),
              "Arts seems to already exist. skipping.\nMusic seems to already exist. skipping.");
}

TEST_F(WindowFeed, WrongPasswordShowsTheMessageAndHidesTheWaitLabel)
{
    TypeFields("wrong");
    Form->Button1->click();
    EXPECT_EQ(Shown, (std::vector<QString>{"message: Could not log in."}));
    EXPECT_FALSE(Form->Label3->isVisible());
    EXPECT_TRUE(Form->Button1->isEnabled());
}

TEST_F(WindowFeed, BadDomainReachesTheErrorDisplay)
{
    Form->Edit3->setText("http://localhost");
    Form->Button1->click();
    EXPECT_EQ(Shown, (std::vector<QString>{"error: Domain must be in the form: [www.]subdomainlist.domainname.tld"}));
    EXPECT_FALSE(Form->Label3->isVisible());
}

TEST_F(WindowFeed, CommandsAreDisabledDuringARunAndACloseWaitsForItsEnd)
{
    TypeFields("demo");
    bool buttonsEnabledDuringRun = true;
    bool closedDuringRun = true;
    QTimer::singleShot(0, Form.get(), [&] {
        buttonsEnabledDuringRun = Form->Button1->isEnabled() || Form->Button3->isEnabled();
        Form->Button1->click();
        closedDuringRun = Form->close();
    });
    Form->Button1->click();

    EXPECT_FALSE(buttonsEnabledDuringRun);
    EXPECT_FALSE(closedDuringRun);
    EXPECT_TRUE(Shown.empty());
    EXPECT_TRUE(Form->Button1->isEnabled());
    QCoreApplication::processEvents();
    EXPECT_FALSE(Form->isVisible()) << "the close asked for during the run happens after it";
}
