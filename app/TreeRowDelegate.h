#pragma once

#include <QStyledItemDelegate>

// Draws the tree's rows as Qt does, and edits a row's name in a field that keeps Escape: it
// cancels the edit there.
class TTreeRowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};
