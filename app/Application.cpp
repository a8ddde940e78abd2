#include "app/Application.h"

#include "app/ApplicationTitle.h"
#include "app/Dialogs.h"

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationDisplayName(QString::fromStdString(ApplicationTitleOf(applicationFilePath().toStdString())));
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
