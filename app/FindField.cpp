#include "app/FindField.h"

#include <QKeyEvent>

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
    default: TEscapeOwningEdit::keyPressEvent(event);
    }
}
