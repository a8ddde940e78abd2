#pragma once

#include "feed/FeedView.h"

class TForm1;

// How a feed run started from the window reports: the message pane, the status bar with its progress bar, "Please
// wait..." and the message box it reports in. It lives for one run and borrows the window.
class TWindowFeedView : public TFeedView {
public:
    explicit TWindowFeedView(TForm1& form) : Form(form) {}

    void AppendMessageLine(const std::string& line) override;
    void SetStatusText(const std::string& text) override;
    void SetWaitLabelVisible(bool visible) override;
    void ShowMessageBox(const std::string& message) override;
    void ProcessMessages() override;
    // A feed shows its entries in the message pane's lines.
    void ReportEntry(const TFeedEntryReport&) override {}
    void ShowProgress(const TFeedProgress& progress) override;
    void ShowOutcome(const TFeedOutcome& outcome) override;

private:
    TForm1& Form;
};
