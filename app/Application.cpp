#include "app/Application.h"

#include "app/Dialogs.h"
#include "common/logging/Logger.h"

// No display name is set: the platform would append it to every window's caption.
TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv)
{
}

bool TApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        const bool handled = QApplication::notify(receiver, event);
        if (event->type() == QEvent::Close && event->isAccepted())
            WriteLogs();
        return handled;
    } catch (const std::exception& error) {
        WriteLogs();
        TQtDialogs().ShowError(activeWindow(), QString::fromStdString(error.what()));
    }
    return false;
}

// The log records so far reach their files before an error box waits for the user and when
// a window has closed (also one whose close waited for a command), whatever ends the program
// after that.
void TApplication::WriteLogs()
{
    try {
        TLogger::FlushAll();
    } catch (const std::exception& error) {
        TQtDialogs().ShowError(activeWindow(), QString::fromStdString(error.what()));
    }
}
