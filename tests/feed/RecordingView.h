#pragma once

#include "feed/FeedEntryReport.h"
#include "feed/FeedOutcome.h"
#include "feed/FeedProgress.h"
#include "feed/FeedView.h"

#include "LoginFields.h"

#include <ostream>
#include <string>
#include <vector>

inline std::ostream& operator<<(std::ostream& out, const TFeedEntryNote& note)
{
    return out << note.Entry << ": " << note.Reason;
}

// "create", "already there", "in the journal", "skip" or "fail".
inline const char* ActionName(TEntryAction action)
{
    static const char* const names[] = {"create", "already there", "in the journal", "skip", "fail"};
    return names[static_cast<int>(action)];
}

// A window stand-in that keeps everything the feed shows.
class TRecordingView : public TFeedView {
public:
    std::vector<std::string> MessageLines;
    std::vector<std::string> MessageBoxes;
    std::vector<std::string> StatusTexts;
    std::vector<bool> WaitLabelChanges;
    bool WaitLabelVisible = false;
    int ProcessCalls = 0;
    std::vector<TFeedEntryReport> Reports;
    std::vector<TFeedProgress> Progress;
    std::vector<TFeedOutcome> Outcomes;

    void AppendMessageLine(const std::string& line) override { MessageLines.push_back(line); }
    void SetStatusText(const std::string& text) override { StatusTexts.push_back(text); }
    void SetWaitLabelVisible(bool visible) override
    {
        WaitLabelVisible = visible;
        WaitLabelChanges.push_back(visible);
    }
    void ShowMessageBox(const std::string& message) override { MessageBoxes.push_back(message); }
    void ProcessMessages() override { ++ProcessCalls; }
    void ReportEntry(const TFeedEntryReport& report) override { Reports.push_back(report); }
    void ShowProgress(const TFeedProgress& progress) override { Progress.push_back(progress); }
    void ShowOutcome(const TFeedOutcome& outcome) override { Outcomes.push_back(outcome); }
};
