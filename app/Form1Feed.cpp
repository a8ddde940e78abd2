#include "app/Form1.h"

#include "app/WindowFeedView.h"
#include "feed/FeedErrors.h"
#include "feed/FeedOutcome.h"
#include "feed/FeedProgress.h"
#include "feed/FeedRun.h"
#include "feed/HTTPClientTransport.h"

#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>

#include <algorithm>

namespace {

constexpr int ProgressBarWidth = 260;
constexpr int StatusBarControlHeight = 17;

}  // namespace

void TForm1::Button1Click()
{
    RunCommand([this] { LoginAndFeed(); });
}

void TForm1::LoginAndFeed()
{
    THTTPClientTransport transport(HTTPClient1, &FeedStop);
    TWindowFeedView view(*this);
    const std::unique_ptr<TFeedRun> run = NewFeedRun(view, transport, false);
    const TFeedUnderWay underWay(*this, Tree.CategoryCount() + Tree.SymbolicCount());
    run->Execute();
}

// What every feed of the window shares, the preview's dry run too: the login of the three
// fields, the stop request, the site's journal, and the parents from the tree.
std::unique_ptr<TFeedRun> TForm1::NewFeedRun(TFeedView& view, TPageTransport& transport, bool dryRun)
{
    FeedStop.Clear();
    TFeedSettings settings;
    settings.Stop = &FeedStop;
    settings.KeepJournal = true;
    settings.DryRun = dryRun;
    return std::make_unique<TFeedRun>(view, transport, FeedLogin(view, dryRun), Tree, std::move(settings));
}

// A domain against the rule ends the feed before it begins, and the status bar says so as
// at the end of any failed feed.
TFeedLogin TForm1::FeedLogin(TFeedView& view, bool dryRun) const
{
    try {
        return {BuildAdminAddresses(Edit3->text().toStdString()), Edit1->text().toStdString(),
                Edit2->text().toStdString()};
    } catch (const EAdminDomain& error) {
        TFeedOutcome outcome;
        outcome.End = TFeedEnd::Failed;
        outcome.Reason = error.what();
        outcome.DryRun = dryRun;
        view.ShowOutcome(outcome);
        throw;
    }
}

TForm1::TFeedUnderWay::TFeedUnderWay(TForm1& form, std::size_t entries) : Form(form)
{
    Form.ShowFeedControls(entries);
}

TForm1::TFeedUnderWay::~TFeedUnderWay()
{
    Form.HideFeedControls();
}

void TForm1::Button6Click()
{
    StopFeed();
}

void TForm1::StopFeed()
{
    if (FeedUnderWay)
        FeedStop.Request();
}

void TForm1::CreateFeedControls()
{
    ProgressBar1 = new QProgressBar(StatusBar1);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setFixedSize(ProgressBarWidth, StatusBarControlHeight);
    ProgressBar1->setTextVisible(true);
    StatusBar1->addPermanentWidget(ProgressBar1);
    ProgressBar1->hide();

    Button6 = new QPushButton("Stop", StatusBar1);
    Button6->setObjectName("Button6");
    Button6->setFixedHeight(StatusBarControlHeight);
    Button6->setFocusPolicy(Qt::NoFocus);
    StatusBar1->addPermanentWidget(Button6);
    Button6->hide();
    connect(Button6, &QPushButton::clicked, this, &TForm1::Button6Click);

    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &TForm1::StopFeed);
}

void TForm1::ShowFeedControls(std::size_t entries)
{
    FeedUnderWay = true;
    ProgressBar1->setRange(0, static_cast<int>(std::max<std::size_t>(entries, 1)));
    ProgressBar1->setValue(0);
    ProgressBar1->setFormat(QString::fromStdString(ProgressText(TFeedProgress{0, entries, {}})));
    ProgressBar1->show();
    Button6->show();
}

// The run leaves "Please wait..." shown after some failures; the window hides it on every path.
void TForm1::HideFeedControls()
{
    FeedUnderWay = false;
    ProgressBar1->hide();
    Button6->hide();
    HidePleaseWait();
}

// Yes stops the run at its next safe point; the close then waits for the run's end, logout
// included, like any close during a command.
bool TForm1::StopFeedingForClose()
{
    if (FeedStop.IsRequested())
        return true;
    if (!FormDialogs->AskYesNo(this, "Confirm", "Stop feeding and close?"))
        return false;
    FeedStop.Request();
    return true;
}
