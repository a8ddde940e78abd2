// Feed runs through the real window, shown offscreen, against the stand-in site behind a
// relay that records the requests and can stall answers.

#include "app/Form1.h"
#include "app/NamedChild.h"
#include "model/CategoryClasses.h"
#include "model/tree/DocumentOfTree.h"
#include "tests/support/RelayProxy.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/SiteProcess.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TreeXml.h"
#include "tests/support/WholeFile.h"
#include "tests/support/WorkingDirectory.h"

#include "tests/cli/feed/FeedToolProcess.h"
#include "tests/support/ExampleTree.h"
#include "tests/support/SiteDatabase.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>

#include <chrono>
#include <deque>
#include <functional>

namespace {

using TClock = std::chrono::steady_clock;

const std::string LogoutRequest = "GET /admin/logout.php HTTP/1.1";

class TRecordingDialogs : public TDialogs {
public:
    TRecordingDialogs(std::vector<QString>& shown, std::deque<bool>& yesNoAnswers)
        : Shown(shown), YesNoAnswers(yesNoAnswers)
    {
    }

    TConfirmAnswer Confirm(QWidget*, const QString&, const QString&) override { return TConfirmAnswer::Cancel; }
    TSaveAnswer AskToSave(QWidget*, const QString&) override { return TSaveAnswer::Cancel; }
    bool AskYesNo(QWidget*, const QString& title, const QString& question) override
    {
        Shown.push_back("ask " + title + ": " + question);
        const bool yes = !YesNoAnswers.empty() && YesNoAnswers.front();
        if (!YesNoAnswers.empty())
            YesNoAnswers.pop_front();
        return yes;
    }
    QString InputBox(QWidget*, const QString&, const QString&, const QString& initial) override { return initial; }
    void ShowMessage(QWidget*, const QString& text) override { Shown.push_back("message: " + text); }
    void ShowError(QWidget*, const QString& message) override { Shown.push_back("error: " + message); }

private:
    std::vector<QString>& Shown;
    std::deque<bool>& YesNoAnswers;
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
        WriteFile("tree.xml", ExampleTreeXml);
        Form = std::make_unique<TForm1>(std::make_unique<TRecordingDialogs>(Shown, YesNoAnswers));
        Form->show();
    }

    void StartSite(std::vector<std::string> arguments = {}, TSitePages pages = TSitePages::RealSite)
    {
        arguments.insert(arguments.end(), {"--db", Scratch.PathOf("site.db")});
        Site = std::make_unique<TSiteProcess>(arguments, pages);
        Relay = std::make_unique<TRelayProxy>(Site->Port());
    }

    void TypeFields(const std::string& password)
    {
        Child<QLineEdit>(*Form, "Edit3")->setText(QString::fromStdString(Relay->Domain()));
        Child<QLineEdit>(*Form, "Edit1")->setText("admin");
        Child<QLineEdit>(*Form, "Edit2")->setText(QString::fromStdString(password));
    }

    // Runs the action once the condition holds, checked every 5 ms while the run lets the
    // window process its messages.
    void WhileFeeding(std::function<bool()> condition, std::function<void()> action)
    {
        auto* timer = new QTimer(Form.get());
        QObject::connect(timer, &QTimer::timeout, Form.get(), [=] {
            if (!condition())
                return;
            timer->stop();
            action();
        });
        timer->start(5);
    }

    // Feeds and presses Stop once the condition holds; the time from Stop to the run's end.
    std::chrono::milliseconds FeedAndStopWhen(std::function<bool()> condition)
    {
        TClock::time_point stopped{};
        WhileFeeding(std::move(condition), [&] {
            stopped = TClock::now();
            Child<QPushButton>(*Form, "Button6")->click();
        });
        FeedButton()->click();
        return std::chrono::duration_cast<std::chrono::milliseconds>(TClock::now() - stopped);
    }

    // "Login && Feed", the status bar's text, the message pane, "Please wait...".
    QPushButton* FeedButton() const { return Child<QPushButton>(*Form, "Button1"); }
    QString StatusText() const { return Child<QStatusBar>(*Form, "StatusBar1")->currentMessage(); }
    QString MemoText() const { return Child<QPlainTextEdit>(*Form, "Memo1")->toPlainText(); }
    bool PleaseWaitShown() const { return Child<QLabel>(*Form, "Label3")->isVisible(); }

    std::vector<std::string> SiteRows() const { return SiteCategories(Scratch.PathOf("site.db")); }
    std::vector<std::string> MemoLines() const
    {
        std::vector<std::string> lines;
        for (const QString& line : MemoText().split('\n'))
            lines.push_back(line.toStdString());
        return lines;
    }

    TTempFolder Scratch;
    TWorkingDirectory InScratch{Scratch.Path()};
    TScopedEnvironment StateFolder{"XDG_STATE_HOME", Scratch.PathOf("state")};
    std::unique_ptr<TSiteProcess> Site;
    std::unique_ptr<TRelayProxy> Relay;
    std::vector<QString> Shown;
    std::deque<bool> YesNoAnswers;
    std::unique_ptr<TForm1> Form;
};

bool StartsWith(const std::string& text, const std::string& start)
{
    return text.rfind(start, 0) == 0;
}

// The bytes of the requests with the session cookie's value left out: each site makes its own.
std::string WithoutCookieValues(std::string requests)
{
    const std::string field = "\r\nCookie: ";
    for (std::size_t at = requests.find(field); at != std::string::npos; at = requests.find(field, at + 1)) {
        const std::size_t value = at + field.size();
        requests.replace(value, requests.find("\r\n", value) - value, "...");
    }
    return requests;
}

}  // namespace

TEST_F(WindowFeed, PressingTheButtonFeedsTheTreeReportsTheOutcomeAndARerunPostsNothing)
{
    StartSite({}, TSitePages::Legacy);
    TypeFields("demo");
    FeedButton()->click();

    EXPECT_TRUE(Shown.empty()) << Shown.front().toStdString();
    EXPECT_EQ(StatusText(), "Feed finished");
    ASSERT_EQ(MemoLines().size(), 1u);
    EXPECT_TRUE(StartsWith(
        MemoLines()[0],
        "Feed summary: 2 created, 0 already there, 1 symbolic posted, 0 skipped, 0 failed; time taken 0:00:"))
        << MemoLines()[0];
    EXPECT_FALSE(PleaseWaitShown());
    EXPECT_FALSE(Child<QProgressBar>(*Form, "ProgressBar1")->isVisible());
    EXPECT_FALSE(Child<QPushButton>(*Form, "Button6")->isVisible());

    Child<QPlainTextEdit>(*Form, "Memo1")->clear();
    FeedButton()->click();
    const auto lines = MemoLines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(
        std::vector<std::string>(lines.begin(), lines.begin() + 3),
        (std::vector<std::string>{"Arts seems to already exist. skipping.", "Music seems to already exist. skipping.",
                                  "symbolic category Sounds is in the journal. skipping."}));
    EXPECT_TRUE(StartsWith(lines[3], "Feed summary: 0 created, 3 already there, 0 symbolic posted")) << lines[3];
    EXPECT_EQ(SiteRows(), (std::vector<std::string>{"1 Arts under 0", "2 Music under 1", "3 Sounds@ under 1 for 2"}));
}

TEST_F(WindowFeed, EntriesTheSiteRefusesAreToldInOneMessageBoxAtTheEndOfTheRun)
{
    WriteFile("tree.xml", TreeXml(CategoryXml(1, "Food", "Top/Food",
                                              CategoryXml(2, "Caf\u00e9", "Top/Food/Cafe1") +
                                                  CategoryXml(3, "Caf\u00e8", "Top/Food/Cafe2",
                                                              CategoryXml(4, "Espresso", "Top/Food/Cafe2/Espresso")) +
                                                  CategoryXml(5, "Tea", "Top/Food/Tea")) +
                                  SymbolicXml("Drinks", 1, "Top/Food/Tea")));
    Form = std::make_unique<TForm1>(std::make_unique<TRecordingDialogs>(Shown, YesNoAnswers));
    StartSite({"--url-rewriting"});
    TypeFields("demo");
    FeedButton()->click();

    EXPECT_EQ(Shown, (std::vector<QString>{"message: problems with category: Caf\u00e8\n"
                                           "URL title is not unique in the parent category.\n"
                                           "1 more entry failed, 1 entry skipped; the message pane lists them."}));
    const std::vector<std::string> lines = MemoLines();
    ASSERT_GE(lines.size(), 4u);
    EXPECT_TRUE(StartsWith(lines[lines.size() - 4],
                           "Feed summary: 3 created, 0 already there, 0 symbolic posted, 1 skipped, 2 failed;"))
        << lines[lines.size() - 4];
    EXPECT_EQ(std::vector<std::string>(lines.end() - 3, lines.end()),
              (std::vector<std::string>{"  skipped Food/Caf\u00e8/Espresso: its parent failed",
                                        "  failed Food/Caf\u00e8: URL title is not unique in the parent category.",
                                        "  failed symbolic category Drinks: "
                                        "Symbolic category cannot have the same parent as the reference category."}));
    EXPECT_EQ(StatusText(), "Feed finished");
    EXPECT_FALSE(PleaseWaitShown());
    EXPECT_EQ(SiteRows(), (std::vector<std::string>{"1 Food under 0", "2 Caf\u00e9 under 1", "3 Tea under 1"}));
}

TEST_F(WindowFeed, ProgressBarAndStopShowOnlyDuringARunAndTheBarReachesTheTotal)
{
    StartSite();
    TypeFields("demo");
    const QProgressBar* bar = Child<QProgressBar>(*Form, "ProgressBar1");
    const QPushButton* stop = Child<QPushButton>(*Form, "Button6");
    std::vector<int> values;
    QObject::connect(bar, &QProgressBar::valueChanged, [&](int value) { values.push_back(value); });
    bool shownDuringRun = false;
    WhileFeeding([] { return true; }, [&] { shownDuringRun = bar->isVisible() && stop->isVisible(); });
    FeedButton()->click();

    EXPECT_TRUE(shownDuringRun);
    EXPECT_EQ(values, (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(bar->maximum(), 3);
    EXPECT_TRUE(bar->format().startsWith("3 of 3 entries, 0:00:0")) << bar->format().toStdString();
    EXPECT_FALSE(bar->isVisible());
    EXPECT_FALSE(stop->isVisible());
}

TEST_F(WindowFeed, StopDuringAPostEndsTheRunAtOnceAndLogsOut)
{
    StartSite();
    TypeFields("demo");
    Relay->HoldAnswersTo("POST /admin/dir_categs_edit.php?action=N HTTP");
    const auto stopToEnd = FeedAndStopWhen([&] { return Relay->Holding(); });

    EXPECT_LT(stopToEnd.count(), 500);
    EXPECT_EQ(Relay->RequestLines().back(), LogoutRequest);
    EXPECT_EQ(StatusText(), "Feed stopped");
    EXPECT_TRUE(Shown.empty()) << "a stop is no error";
    EXPECT_FALSE(PleaseWaitShown());
    EXPECT_TRUE(FeedButton()->isEnabled());
}

TEST_F(WindowFeed, StopDuringAStalledPageEndsTheRunAtOnceAndLogsOut)
{
    StartSite();
    TypeFields("demo");
    Relay->HoldAnswersTo("GET /admin/dir_categs_edit.php?action=N HTTP");
    const auto stopToEnd = FeedAndStopWhen([&] { return Relay->Holding(); });

    EXPECT_LT(stopToEnd.count(), 500);
    EXPECT_EQ(Relay->RequestLines().back(), LogoutRequest);
    EXPECT_EQ(StatusText(), "Feed stopped");
    EXPECT_TRUE(SiteRows().empty());
}

TEST_F(WindowFeed, StopDuringARefetchPauseEndsTheRunAtOnceAndLogsOut)
{
    StartSite({"--hide-new", "100"});
    TypeFields("demo");
    const auto stopToEnd = FeedAndStopWhen([&] { return MemoText().contains("seem like it was not added"); });

    EXPECT_LT(stopToEnd.count(), 500);
    EXPECT_EQ(Relay->RequestLines().back(), LogoutRequest);
    EXPECT_EQ(StatusText(), "Feed stopped");
    EXPECT_TRUE(StartsWith(MemoLines().back(), "Feed summary: 1 created"))
        << "the site said it saved Arts, which it does not list yet: " << MemoText().toStdString();
}

TEST_F(WindowFeed, EscapeStopsARun)
{
    StartSite();
    TypeFields("demo");
    Relay->HoldAnswersTo("GET /admin/dir_categs_edit.php?action=N HTTP");
    auto* escape = Form->findChild<QShortcut*>();
    ASSERT_NE(escape, nullptr);
    EXPECT_EQ(escape->key(), QKeySequence(Qt::Key_Escape));
    WhileFeeding([&] { return Relay->Holding(); }, [&] { emit escape->activated(); });
    FeedButton()->click();
    EXPECT_EQ(StatusText(), "Feed stopped");
    EXPECT_EQ(Relay->RequestLines().back(), LogoutRequest);
}

TEST_F(WindowFeed, WrongPasswordShowsTheMessageAndHidesTheWaitLabel)
{
    StartSite();
    TypeFields("wrong");
    FeedButton()->click();
    EXPECT_EQ(Shown, (std::vector<QString>{"message: Could not log in."}));
    EXPECT_FALSE(PleaseWaitShown());
    EXPECT_EQ(StatusText(), "Feed failed: Could not log in.");
    EXPECT_TRUE(FeedButton()->isEnabled());
}

TEST_F(WindowFeed, BadDomainReachesTheErrorDisplay)
{
    Child<QLineEdit>(*Form, "Edit3")->setText("http://localhost");
    FeedButton()->click();
    EXPECT_EQ(Shown, (std::vector<QString>{"error: Domain must be in the form: [www.]subdomainlist.domainname.tld"}));
    EXPECT_FALSE(PleaseWaitShown());
    EXPECT_EQ(StatusText(), "Feed failed: Domain must be in the form: [www.]subdomainlist.domainname.tld");
}

TEST_F(WindowFeed, CommandsAreDisabledDuringARunAndACloseAnsweredNoLetsItFinish)
{
    StartSite({}, TSitePages::Legacy);
    TypeFields("demo");
    YesNoAnswers = {false};
    bool buttonsEnabledDuringRun = true;
    bool closedDuringRun = true;
    WhileFeeding([] { return true; },
                 [&] {
                     buttonsEnabledDuringRun =
                         FeedButton()->isEnabled() || Child<QPushButton>(*Form, "Button3")->isEnabled();
                     FeedButton()->click();
                     closedDuringRun = Form->close();
                 });
    FeedButton()->click();

    EXPECT_FALSE(buttonsEnabledDuringRun);
    EXPECT_FALSE(closedDuringRun);
    EXPECT_EQ(Shown, (std::vector<QString>{"ask Confirm: Stop feeding and close?"}));
    EXPECT_EQ(StatusText(), "Feed finished");
    EXPECT_TRUE(FeedButton()->isEnabled());
    QCoreApplication::processEvents();
    EXPECT_TRUE(Form->isVisible()) << "No lets the run go on and keeps the window";
}

TEST_F(WindowFeed, CloseAnsweredYesStopsTheRunLogsOutAndCloses)
{
    StartSite();
    TypeFields("demo");
    Relay->HoldAnswersTo("POST /admin/dir_categs_edit.php?action=N HTTP");
    YesNoAnswers = {true};
    bool closedDuringRun = true;
    WhileFeeding([&] { return Relay->Holding(); }, [&] { closedDuringRun = Form->close(); });
    const auto started = TClock::now();
    FeedButton()->click();

    EXPECT_FALSE(closedDuringRun);
    EXPECT_LT(TClock::now() - started, std::chrono::seconds(5));
    EXPECT_EQ(Shown, (std::vector<QString>{"ask Confirm: Stop feeding and close?"}));
    EXPECT_EQ(Relay->RequestLines().back(), LogoutRequest);
    QCoreApplication::processEvents();
    EXPECT_FALSE(Form->isVisible()) << "the close waits for the logout, then happens";
}

TEST_F(WindowFeed, TheCommandLineFeedOfTheDemoTreeSendsTheWindowsRequestsByteForByte)
{
    WriteFile("tree.xml", ReadFile(TESSAROO_DEMO_TREE));
    Form = std::make_unique<TForm1>(std::make_unique<TRecordingDialogs>(Shown, YesNoAnswers));
    StartSite({}, TSitePages::Legacy);
    TypeFields("demo");
    FeedButton()->click();
    ASSERT_EQ(StatusText(), "Feed finished");
    const std::string windowRequests = Relay->ClientBytes();

    const TSiteProcess secondSite({"--db", Scratch.PathOf("second.db")}, TSitePages::Legacy);
    Relay->Retarget(secondSite.Port());
    const std::size_t windowBytes = windowRequests.size();
    const TFeedToolResult tool =
        RunFeedToolProcess({"--domain", Relay->Domain(), "--user", "admin"},
                           {{"TESSAROO_PASSWORD", "demo"}, {"XDG_STATE_HOME", Scratch.PathOf("tool-state")}});
    ASSERT_EQ(tool.ExitCode, 0) << tool.Err;
    const std::string toolRequests = Relay->ClientBytes().substr(windowBytes);

    EXPECT_EQ(Relay->RequestLines().size(),
              2u * (4 + Form->CategoryTree().CategoryCount() + Form->CategoryTree().SymbolicCount()));
    EXPECT_NE(windowRequests.find("\r\nCookie: "), std::string::npos);
    EXPECT_EQ(WithoutCookieValues(toolRequests), WithoutCookieValues(windowRequests));
    EXPECT_EQ(SiteCategories(Scratch.PathOf("second.db")), SiteRows());
}
