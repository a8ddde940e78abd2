#include "cli/feed/ConsoleFeedView.h"

#include "feed/FeedOutcome.h"
#include "feed/FeedProgress.h"

#include <cstdio>

namespace {

constexpr std::chrono::milliseconds TerminalInterval{100};
constexpr std::chrono::milliseconds PlainInterval{10000};
constexpr const char* ClearLine = "\r\x1b[K";

std::string ProgressLine(const std::string& status, const TFeedProgress& progress)
{
    char rate[32];
    std::snprintf(rate, sizeof rate, "%.1f", progress.Rate());
    return (status.empty() ? "" : status + ": ") + ProgressText(progress) + ", " + rate + " entries/s";
}

}  // namespace

TConsoleFeedView::TConsoleFeedView(std::ostream& out, std::ostream& err, bool errIsTerminal)
    : Out(out), Err(err), ErrIsTerminal(errIsTerminal)
{
}

void TConsoleFeedView::AppendMessageLine(const std::string& line)
{
    ClearProgressLine();
    Out << line << std::endl;
}

void TConsoleFeedView::ShowMessageBox(const std::string& message)
{
    ClearProgressLine();
    Err << message << std::endl;
}

void TConsoleFeedView::ShowProgress(const TFeedProgress& progress)
{
    if (progress.Elapsed < NextProgressAt && progress.Done < progress.Total)
        return;
    NextProgressAt = progress.Elapsed + (ErrIsTerminal ? TerminalInterval : PlainInterval);
    if (ErrIsTerminal) {
        Err << ClearLine << ProgressLine(Status, progress) << std::flush;
        ProgressLineShown = true;
    } else {
        Err << ProgressLine(Status, progress) << std::endl;
    }
}

void TConsoleFeedView::ShowOutcome(const TFeedOutcome& outcome)
{
    ClearProgressLine();
    for (const std::string& line : OutcomeSummaryLines(outcome))
        Out << line << "\n";
    Out << std::flush;
    Err << OutcomeStatusText(outcome) << std::endl;
}

void TConsoleFeedView::ClearProgressLine()
{
    if (!ProgressLineShown)
        return;
    Err << ClearLine << std::flush;
    ProgressLineShown = false;
}
