#pragma once

#include <QStyledItemDelegate>

class QTreeView;

// Draws the flat rows of a find as the tree would show them: each indented by its depth,
// with an open branch mark before a row that has found rows below it.
class TFoundRowDelegate : public QStyledItemDelegate {
public:
    // The view is borrowed: its indentation and style are the tree's.
    explicit TFoundRowDelegate(QTreeView& view);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    int IndentOf(const QModelIndex& index) const;

    QTreeView& View;
};
