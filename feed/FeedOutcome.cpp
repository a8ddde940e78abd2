#include "feed/FeedOutcome.h"

#include "feed/FeedProgress.h"

namespace {

std::string Count(std::size_t count, const char* what)
{
    return std::to_string(count) + " " + what;
}

std::string CountsLine(const TFeedOutcome& outcome)
{
    const std::string taken = "; time taken " + FormatDuration(outcome.Elapsed) + ".";
    if (outcome.DryRun)
        return "Dry run, nothing posted: " + Count(outcome.Created, "would be created, ") +
               Count(outcome.AlreadyThere, "already there, ") +
               Count(outcome.SymbolicPosted, "symbolic would be posted, ") +
               Count(outcome.Skipped.size(), "would be skipped") + taken;
    return "Feed summary: " + Count(outcome.Created, "created, ") + Count(outcome.AlreadyThere, "already there, ") +
           Count(outcome.SymbolicPosted, "symbolic posted, ") + Count(outcome.Skipped.size(), "skipped, ") +
           Count(outcome.Failed.size(), "failed") + taken;
}

}  // namespace

std::string OutcomeStatusText(const TFeedOutcome& outcome)
{
    switch (outcome.End) {
    case TFeedEnd::Finished: return "Feed finished";
    case TFeedEnd::Stopped: return "Feed stopped";
    case TFeedEnd::LoginRefused:
    case TFeedEnd::NetworkFailure:
    case TFeedEnd::Failed: break;
    }
    return "Feed failed: " + outcome.Reason;
}

std::vector<std::string> OutcomeSummaryLines(const TFeedOutcome& outcome)
{
    std::vector<std::string> lines{CountsLine(outcome)};
    for (const TFeedEntryNote& note : outcome.Skipped)
        lines.push_back("  skipped " + note.Entry + ": " + note.Reason);
    for (const TFeedEntryNote& note : outcome.Failed)
        lines.push_back("  failed " + note.Entry + ": " + note.Reason);
    return lines;
}
