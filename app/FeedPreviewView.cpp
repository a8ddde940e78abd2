#include "app/FeedPreviewView.h"

#include "app/FeedPreview.h"
#include "feed/FeedOutcome.h"

void TFeedPreviewView::ReportEntry(const TFeedEntryReport& report)
{
    Preview.AddReport(report);
}

void TFeedPreviewView::ShowOutcome(const TFeedOutcome& outcome)
{
    Preview.ShowOutcome(outcome);
    Window.AppendMessageLine(OutcomeSummaryLines(outcome).front());
    Window.SetStatusText(OutcomeStatusText(outcome));
}
