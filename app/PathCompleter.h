#pragma once

#include <QCompleter>
#include <QSortFilterProxyModel>

// Completes the path of a category step by step, from the names of the categories of the
// tree's model below the steps typed so far: "Ar" offers "Arts", "Arts/M" offers
// "Arts/Music". Symbolic categories are no steps of a path and are not offered.
class TPathCompleter : public QCompleter {
public:
    // The tree's model is borrowed and must outlive the completer.
    explicit TPathCompleter(QAbstractItemModel& tree);

    QStringList splitPath(const QString& path) const override;
    QString pathFromIndex(const QModelIndex& index) const override;

private:
    class TCategoriesOnly : public QSortFilterProxyModel {
    protected:
        bool filterAcceptsRow(int row, const QModelIndex& parent) const override;
    };

    TCategoriesOnly Categories;
};
