#include "app/FoundRowDelegate.h"

#include "app/CategoryTreeModel.h"

#include <QPainter>
#include <QTreeView>

TFoundRowDelegate::TFoundRowDelegate(QTreeView& view) : QStyledItemDelegate(&view), View(view)
{
}

// The text stands where the tree puts a row of that depth: one indentation for the branch
// mark, one more per level.
int TFoundRowDelegate::IndentOf(const QModelIndex& index) const
{
    return (index.data(TCategoryTreeModel::FoundDepthRole).toInt() + 1) * View.indentation();
}

void TFoundRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const int indent = IndentOf(index);
    if (index.data(TCategoryTreeModel::FoundParentRole).toBool()) {
        QStyleOption mark;
        mark.initFrom(&View);
        mark.rect = QRect(option.rect.left() + indent - View.indentation(), option.rect.top(), View.indentation(),
                          option.rect.height());
        mark.state = QStyle::State_Children | QStyle::State_Open | QStyle::State_Item;
        View.style()->drawPrimitive(QStyle::PE_IndicatorBranch, &mark, painter, &View);
    }
    QStyleOptionViewItem shifted = option;
    shifted.rect.setLeft(option.rect.left() + indent);
    QStyledItemDelegate::paint(painter, shifted, index);
}

QSize TFoundRowDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    return QStyledItemDelegate::sizeHint(option, index) + QSize(IndentOf(index), 0);
}
