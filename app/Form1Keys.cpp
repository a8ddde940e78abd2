#include "app/Form1.h"

#include "app/CategoryTreeModel.h"

#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTreeView>

namespace {

// A key that presses a command's button, so that it runs exactly as a click would (and not
// at all while the button is disabled).
void AddShortcut(QWidget* owner, const QKeySequence& keys, Qt::ShortcutContext context, QPushButton* button)
{
    auto* shortcut = new QShortcut(keys, owner);
    shortcut->setContext(context);
    QObject::connect(shortcut, &QShortcut::activated, button, [button] { button->click(); });
}

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

// Delete and F2 belong to the tree (in a field they edit the text); saving and reloading
// work from anywhere in the window.
void TForm1::CreateShortcuts()
{
    AddShortcut(categories, QKeySequence(Qt::Key_Delete), Qt::WidgetShortcut, Button3);
    AddShortcut(categories, QKeySequence(Qt::Key_F2), Qt::WidgetShortcut, Button4);
    AddShortcut(this, QKeySequence(Qt::CTRL | Qt::Key_S), Qt::WindowShortcut, Button5);
    AddShortcut(this, QKeySequence(Qt::CTRL | Qt::Key_R), Qt::WindowShortcut, Button2);
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

bool TForm1::IsLoginField(const QWidget* widget) const
{
    return widget == Edit1 || widget == Edit2 || widget == Edit3;
}
