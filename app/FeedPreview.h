#pragma once

#include "app/FeedPreviewModel.h"

#include <QWidget>

#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QTreeView;
struct TFeedOutcome;

// The window of a feed preview: every entry of a dry run with what the feed would do with
// it and why, filterable by text and by action, and the run's totals. A double-click on an
// entry selects it in the main window's tree, as long as that tree is still the one the
// preview was made of.
class TFeedPreview : public QWidget {
public:
    using TSelectRecord = std::function<void(const TBaseCategory*)>;

    TFeedPreview(QWidget* parent, TSelectRecord selectRecord);

    // Empties the list and shows the window for a new run.
    void Start();
    void AddReport(const TFeedEntryReport& report);
    void ShowOutcome(const TFeedOutcome& outcome);
    // The tree has changed: the entries may no longer be where the list says.
    void MarkOutdated();
    bool IsOutdated() const { return Outdated; }

private:
    // The window's parts; code outside finds them by their object names (PreviewFilter,
    // PreviewActions, PreviewEntries, PreviewTotals).
    QLineEdit* Filter = nullptr;   // a text the entry or its reason holds
    QComboBox* Actions = nullptr;  // all entries, or those of one action, with their numbers
    QTreeView* Entries = nullptr;
    QLabel* Totals = nullptr;  // the run's counts, or what ended it

    void ApplyFilter();
    void CountActions();
    void EntryDoubleClicked(const QModelIndex& index);
    void ShowTotals();

    TFeedPreviewModel EntriesModel;
    TSelectRecord SelectRecord;
    QString TotalsText;
    bool Outdated = false;
};
