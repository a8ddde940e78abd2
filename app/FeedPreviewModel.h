#pragma once

#include "feed/FeedEntryReport.h"

#include <QAbstractTableModel>

#include <optional>
#include <vector>

// The entries of a dry run as a table: the entry, what the feed would do with it, and why.
// A filter shows only the entries of one action, or those whose name or reason holds a text.
class TFeedPreviewModel : public QAbstractTableModel {
public:
    enum TColumn { pcEntry, pcAction, pcReason, pcColumns };

    struct TEntry {
        const TBaseCategory* Record;
        QString Entry;
        TEntryAction Action;
        QString Reason;
    };

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    void Clear();
    // Kept until Show: a run reports entry by entry, faster than a view could follow.
    void Add(const TFeedEntryReport& report);
    void Show();
    void SetFilter(const QString& text, std::optional<TEntryAction> action);

    const TEntry& EntryAt(int row) const;
    // All entries of the run, shown or not.
    std::size_t Size() const { return Entries.size(); }
    std::size_t CountOf(TEntryAction action) const;

    // What the preview says a feed would do with an entry: "would be created", "already there".
    static QString ActionText(TEntryAction action, bool symbolic);

private:
    bool Passes(const TEntry& entry) const;

    std::vector<TEntry> Entries;
    std::vector<std::size_t> Shown;
    QString FilterText;
    std::optional<TEntryAction> FilterAction;
};
