#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

class TBaseCategory;

// How a run ended. A refused login and a network or HTTP failure are told apart from other
// failures, as a script reacts to them differently.
enum class TFeedEnd { Finished, Stopped, LoginRefused, NetworkFailure, Failed };

// An entry the run did not create, with the reason: the entry as the run's lines name it,
// and its record (borrowed from the tree, valid while the tree holds it).
struct TFeedEntryNote {
    std::string Entry;
    std::string Reason;
    const TBaseCategory* Record = nullptr;

    // Two notes that say the same are equal, whichever record they point at.
    bool operator==(const TFeedEntryNote& other) const { return Entry == other.Entry && Reason == other.Reason; }
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

// The message of a run in which entries failed, shown once at its end: "problems with
// category: NAME" for the first that failed, its reason on a second line, and a third line
// that counts the others failed and skipped. Nothing when no entry failed.
std::optional<std::string> ProblemsMessage(const TFeedOutcome& outcome);
