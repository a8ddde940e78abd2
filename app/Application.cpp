#include "app/Application.h"

#include "app/Dialogs.h"

// No display name is set: the platform would append it to every window's caption.
TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv)
{
}

bool TApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        TQtDialogs().ShowError(activeWindow(), QString::fromStdString(error.what()));
    }
    return false;
}
