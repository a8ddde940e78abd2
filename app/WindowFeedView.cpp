#include "app/WindowFeedView.h"

#include "app/Form1.h"
#include "feed/FeedOutcome.h"
#include "feed/FeedProgress.h"

#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QStatusBar>

#include <algorithm>

void TWindowFeedView::AppendMessageLine(const std::string& line)
{
    Form.Memo1->appendPlainText(QString::fromStdString(line));
}

void TWindowFeedView::SetStatusText(const std::string& text)
{
    Form.StatusBar1->showMessage(QString::fromStdString(text));
}

void TWindowFeedView::SetWaitLabelVisible(bool visible)
{
    if (visible)
        Form.ShowPleaseWait();
    else
        Form.HidePleaseWait();
}

void TWindowFeedView::ShowMessageBox(const std::string& message)
{
    Form.Dialogs().ShowMessage(&Form, QString::fromStdString(message));
}

// Unthrottled, unlike the hook of the long tree operations: the feed calls it once per
// category, and a line written just before a pause must show before the pause.
void TWindowFeedView::ProcessMessages()
{
    QCoreApplication::processEvents();
}

void TWindowFeedView::ShowProgress(const TFeedProgress& progress)
{
    // QProgressBar counts in int; a tree beyond its range shows its progress in the text alone.
    QProgressBar* bar = Form.ProgressBar1;
    bar->setValue(static_cast<int>(std::min<std::size_t>(progress.Done, bar->maximum())));
    bar->setFormat(QString::fromStdString(ProgressText(progress)));
}

// The run goes on past an entry that fails, so the window tells of the failures once, at the end.
void TWindowFeedView::ShowOutcome(const TFeedOutcome& outcome)
{
    for (const std::string& line : OutcomeSummaryLines(outcome))
        AppendMessageLine(line);
    SetStatusText(OutcomeStatusText(outcome));
    if (const std::optional<std::string> problems = ProblemsMessage(outcome))
        ShowMessageBox(*problems);
}
