#pragma once

#include <string>

struct TFeedEntryReport;
struct TFeedOutcome;
struct TFeedProgress;

// Where a feed run reports its progress, trouble and outcome. The window implements it; tests
// record the calls. What the run is given to log in with comes in as a TFeedLogin instead.
class TFeedView {
public:
    virtual ~TFeedView() = default;

    virtual void AppendMessageLine(const std::string& line) = 0;
    virtual void SetStatusText(const std::string& text) = 0;
    virtual void SetWaitLabelVisible(bool visible) = 0;
    virtual void ShowMessageBox(const std::string& message) = 0;
    virtual void ProcessMessages() = 0;

    // Once per entry, when the run has decided what to do with it (and, for a post, done it).
    virtual void ReportEntry(const TFeedEntryReport& report) = 0;
    // After every entry: how far the run has come.
    virtual void ShowProgress(const TFeedProgress& progress) = 0;
    // Once at the end of every run, however it ended: what it did and how it ended.
    virtual void ShowOutcome(const TFeedOutcome& outcome) = 0;
};
