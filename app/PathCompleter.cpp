#include "app/PathCompleter.h"

#include "app/CategoryTreeModel.h"

TPathCompleter::TPathCompleter(QAbstractItemModel& tree)
{
    Categories.setSourceModel(&tree);
    setModel(&Categories);
    setCompletionRole(TCategoryTreeModel::PathStepRole);
    setCaseSensitivity(Qt::CaseInsensitive);
}

bool TPathCompleter::TCategoriesOnly::filterAcceptsRow(int row, const QModelIndex& parent) const
{
    return sourceModel()->index(row, 0, parent).data(TCategoryTreeModel::PathStepRole).isValid();
}

// The steps stay escaped, as the model's PathStepRole gives them: only a "/" that no "\"
// escapes ends a step.
QStringList TPathCompleter::splitPath(const QString& path) const
{
    QStringList steps{QString()};
    for (qsizetype i = 0; i < path.size(); ++i) {
        if (path[i] == '\\' && i + 1 < path.size()) {
            steps.back() += path[i];
            steps.back() += path[++i];
        } else if (path[i] == '/') {
            steps.append(QString());
        } else {
            steps.back() += path[i];
        }
    }
    return steps;
}

QString TPathCompleter::pathFromIndex(const QModelIndex& index) const
{
    QStringList steps;
    for (QModelIndex step = index; step.isValid(); step = step.parent())
        steps.prepend(step.data(TCategoryTreeModel::PathStepRole).toString());
    return steps.join('/');
}
