#include "app/TreeRowDelegate.h"

#include "app/EscapeOwningEdit.h"

QWidget* TTreeRowDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const
{
    auto* editor = new TEscapeOwningEdit(parent);
    editor->setFrame(false);
    return editor;
}
