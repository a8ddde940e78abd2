#include "app/Form1.h"

#include "app/CategoryTreeModel.h"

#include <QItemSelectionModel>
#include <QLineEdit>
#include <QTreeView>

namespace {

bool IsInside(QModelIndex index, const QModelIndex& branch)
{
    for (index = index.parent(); index.isValid(); index = index.parent())
        if (index == branch)
            return true;
    return false;
}

bool IsShown(const QTreeView& view, const QModelIndex& index)
{
    for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent())
        if (!view.isExpanded(parent))
            return false;
    return true;
}

}  // namespace

void TForm1::FollowCollapses()
{
    connect(categories, &QTreeView::collapsed, this, [this](const QModelIndex& index) { categoriesCollapsed(index); });
}

// A branch that closes over the current or the selected row takes the selection itself, as
// in a file manager: a command never acts on a row the user cannot see.
void TForm1::categoriesCollapsed(const QModelIndex& collapsed)
{
    const auto rows = categories->selectionModel()->selectedRows();
    const bool selectionInside = !rows.isEmpty() && IsInside(rows.front(), collapsed);
    if (selectionInside || IsInside(categories->currentIndex(), collapsed))
        categories->selectionModel()->setCurrentIndex(collapsed, QItemSelectionModel::ClearAndSelect);
}

TTreeNode* TForm1::SelectedNode() const
{
    const auto rows = categories->selectionModel()->selectedRows();
    if (rows.isEmpty() || !IsShown(*categories, rows.front()))
        return nullptr;
    return TCategoryTreeModel::NodeOf(rows.front());
}

void TForm1::SelectNode(const TTreeNode* node)
{
    const QModelIndex index = TreeModel->IndexOf(node);
    if (!index.isValid())
        return;
    for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent())
        categories->expand(parent);
    categories->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    categories->scrollTo(index);
}

bool TForm1::IsLoginField(const QWidget* widget) const
{
    return widget == Edit1 || widget == Edit2 || widget == Edit3;
}
