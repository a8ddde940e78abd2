#pragma once

#include <string>

class TBaseCategory;

// What a run does with one entry of the document; in a dry run, what it would do.
enum class TEntryAction { Create, AlreadyThere, InJournal, Skip, Fail };

// One entry as the run decided it, reported once per entry the run reaches (a stopped or
// failed run reports none of the entries after the point where it ended).
struct TFeedEntryReport {
    // The record the report is about; borrowed from the tree, valid while the tree holds it.
    const TBaseCategory* Record = nullptr;
    // How the run names the entry in its lines: a category's path ("Arts/Music"), a symbolic
    // category as "symbolic category NAME".
    std::string Entry;
    TEntryAction Action = TEntryAction::Create;
    // Why, for an entry that is skipped or fails; empty otherwise.
    std::string Reason;
};
