#pragma once

#include "app/WindowFeedView.h"

class TFeedPreview;

// How the preview's dry run reports in the window: the status bar, progress and message
// box of any feed of the window, and the preview window for what it reports of each entry.
class TFeedPreviewView : public TFeedView {
public:
    TFeedPreviewView(TForm1& form, TFeedPreview& preview) : Window(form), Preview(preview) {}

    // Every line of a dry run is about one entry, and the preview lists its report.
    void AppendMessageLine(const std::string&) override {}
    void SetStatusText(const std::string& text) override { Window.SetStatusText(text); }
    void SetWaitLabelVisible(bool visible) override { Window.SetWaitLabelVisible(visible); }
    void ShowMessageBox(const std::string& message) override { Window.ShowMessageBox(message); }
    void ProcessMessages() override { Window.ProcessMessages(); }
    void ReportEntry(const TFeedEntryReport& report) override;
    void ShowProgress(const TFeedProgress& progress) override { Window.ShowProgress(progress); }
    // The totals go to the preview, and the line of counts to the message pane, as after a feed.
    void ShowOutcome(const TFeedOutcome& outcome) override;

private:
    TWindowFeedView Window;
    TFeedPreview& Preview;
};
