#pragma once

#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

// How a run ended. A refused login and a network or HTTP failure are told apart from other
// failures, as a script reacts to them differently.
enum class TFeedEnd { Finished, Stopped, LoginRefused, NetworkFailure, Failed };

// An entry the run did not create, with the reason.
struct TFeedEntryNote {
    std::string Entry;
    std::string Reason;

    bool operator==(const TFeedEntryNote&) const = default;
};

// What a run did, counted per entry, and how it ended. In a dry run the counts say what a
// run would do.
struct TFeedOutcome {
    TFeedEnd End = TFeedEnd::Finished;
    std::string Reason;  // the message of the error that ended a failed run
    bool DryRun = false;
    std::size_t Created = 0;
    std::size_t AlreadyThere = 0;
    std::size_t SymbolicPosted = 0;
    std::vector<TFeedEntryNote> Skipped;
    std::vector<TFeedEntryNote> Failed;
    std::chrono::milliseconds Elapsed{0};
};

// "Feed finished", "Feed stopped" or "Feed failed: <reason>".
std::string OutcomeStatusText(const TFeedOutcome& outcome);

// One line with the counts and the time taken, then one line per entry skipped or failed.
std::vector<std::string> OutcomeSummaryLines(const TFeedOutcome& outcome);
