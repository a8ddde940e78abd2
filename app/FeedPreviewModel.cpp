#include "app/FeedPreviewModel.h"

#include "model/Category.h"

#include <algorithm>

int TFeedPreviewModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(Shown.size());
}

int TFeedPreviewModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : pcColumns;
}

QVariant TFeedPreviewModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || role != Qt::DisplayRole)
        return QVariant();
    const TEntry& entry = EntryAt(index.row());
    switch (index.column()) {
    case pcEntry: return entry.Entry;
    case pcAction: return ActionText(entry.Action, dynamic_cast<const TSymbolicCategory*>(entry.Record));
    case pcReason: return entry.Reason;
    default: return QVariant();
    }
}

QVariant TFeedPreviewModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    switch (section) {
    case pcEntry: return "Entry";
    case pcAction: return "Action";
    case pcReason: return "Reason";
    default: return QVariant();
    }
}

QString TFeedPreviewModel::ActionText(TEntryAction action, bool symbolic)
{
    switch (action) {
    case TEntryAction::Create: return symbolic ? "would be posted" : "would be created";
    case TEntryAction::AlreadyThere: return "already there";
    case TEntryAction::InJournal: return "in the journal";
    case TEntryAction::Skip: return "would be skipped";
    case TEntryAction::Fail: break;
    }
    return "would fail";
}

void TFeedPreviewModel::Clear()
{
    beginResetModel();
    Entries.clear();
    Shown.clear();
    endResetModel();
}

void TFeedPreviewModel::Add(const TFeedEntryReport& report)
{
    Entries.push_back(
        {report.Record, QString::fromStdString(report.Entry), report.Action, QString::fromStdString(report.Reason)});
}

void TFeedPreviewModel::Show()
{
    SetFilter(FilterText, FilterAction);
}

void TFeedPreviewModel::SetFilter(const QString& text, std::optional<TEntryAction> action)
{
    beginResetModel();
    FilterText = text;
    FilterAction = action;
    Shown.clear();
    for (std::size_t i = 0; i < Entries.size(); ++i)
        if (Passes(Entries[i]))
            Shown.push_back(i);
    endResetModel();
}

bool TFeedPreviewModel::Passes(const TEntry& entry) const
{
    if (FilterAction && entry.Action != *FilterAction)
        return false;
    return FilterText.isEmpty() || entry.Entry.contains(FilterText, Qt::CaseInsensitive) ||
           entry.Reason.contains(FilterText, Qt::CaseInsensitive);
}

const TFeedPreviewModel::TEntry& TFeedPreviewModel::EntryAt(int row) const
{
    return Entries[Shown[static_cast<std::size_t>(row)]];
}

std::size_t TFeedPreviewModel::CountOf(TEntryAction action) const
{
    return static_cast<std::size_t>(std::count_if(Entries.begin(), Entries.end(),
                                                  [action](const TEntry& entry) { return entry.Action == action; }));
}
