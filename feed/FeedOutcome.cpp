#include "feed/FeedOutcome.h"

#include "common/core/Text.h"
#include "feed/FeedProgress.h"
#include "model/Category.h"

namespace {

std::string Count(std::size_t count, const char* what)
{
    return std::to_string(count) + " " + what;
}

std::string EntriesCount(std::size_t count, const char* more = "")
{
    return std::to_string(count) + more + (count == 1 ? " entry" : " entries");
}

// Kept as described: worded as the error that ended a feed at a category that never showed,
// for a symbolic category too (the reason on the next line tells which kind it was).
std::string ProblemsLine(const TFeedEntryNote& note)
{
    return "problems with category: " + (note.Record ? Utf16ToUtf8(note.Record->Name) : note.Entry);
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

std::optional<std::string> ProblemsMessage(const TFeedOutcome& outcome)
{
    if (outcome.Failed.empty())
        return std::nullopt;
    const TFeedEntryNote& first = outcome.Failed.front();
    std::string message = ProblemsLine(first) + "\n" + first.Reason;
    const std::size_t otherFailed = outcome.Failed.size() - 1;
    const std::size_t skipped = outcome.Skipped.size();
    if (otherFailed + skipped == 0)
        return message;
    message += "\n";
    if (otherFailed > 0)
        message += EntriesCount(otherFailed, " more") + " failed" + (skipped > 0 ? ", " : "");
    if (skipped > 0)
        message += EntriesCount(skipped) + " skipped";
    return message + "; the message pane lists them.";
}
