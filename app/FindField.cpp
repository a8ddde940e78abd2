#include "app/FindField.h"

#include <QKeyEvent>

bool TFindField::event(QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        event->accept();
        return true;
    }
    return QLineEdit::event(event);
}

void TFindField::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        if (OnEscape)
            OnEscape();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (OnEnter)
            OnEnter(event->modifiers() & Qt::ShiftModifier);
        return;
    default: QLineEdit::keyPressEvent(event);
    }
}
