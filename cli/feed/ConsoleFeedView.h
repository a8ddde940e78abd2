#pragma once

#include "feed/FeedView.h"

#include <chrono>
#include <ostream>
#include <string>

// The feed's view on a console: the message pane's lines and the summary go to standard
// output, line by line as the window shows them; progress, message boxes and how the run
// ended go to standard error. On a terminal the progress is one line that keeps updating;
// elsewhere (a log file, cron's mail) it is a plain line every ten seconds.
class TConsoleFeedView : public TFeedView {
public:
    TConsoleFeedView(std::ostream& out, std::ostream& err, bool errIsTerminal);

    void AppendMessageLine(const std::string& line) override;
    void SetStatusText(const std::string& text) override { Status = text; }
    void SetWaitLabelVisible(bool) override {}
    void ShowMessageBox(const std::string& message) override;
    void ProcessMessages() override {}
    // The message lines say it all on a console.
    void ReportEntry(const TFeedEntryReport&) override {}
    void ShowProgress(const TFeedProgress& progress) override;
    void ShowOutcome(const TFeedOutcome& outcome) override;

private:
    void ClearProgressLine();

    std::ostream& Out;
    std::ostream& Err;
    const bool ErrIsTerminal;
    std::string Status;
    bool ProgressLineShown = false;
    std::chrono::milliseconds NextProgressAt{0};
};
