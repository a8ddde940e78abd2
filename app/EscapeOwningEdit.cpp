#include "app/EscapeOwningEdit.h"

#include <QKeyEvent>

bool TEscapeOwningEdit::event(QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        event->accept();
        return true;
    }
    return QLineEdit::event(event);
}
