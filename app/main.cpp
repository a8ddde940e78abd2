#include "app/Application.h"
#include "app/CommandLine.h"
#include "app/Dialogs.h"
#include "app/Form1.h"
#include "app/StartFolder.h"
#include "model/CategoryModelStartup.h"

#include <cstdio>
#include <optional>
#include <string>

int main(int argc, char** argv)
{
    TApplication application(argc, argv);
    const TCommandLine commandLine = ParseCommandLine(application.arguments());
    if (commandLine.ExitCode) {
        std::fputs(commandLine.Output.toLocal8Bit().constData(), stdout);
        std::fputs(commandLine.Error.toLocal8Bit().constData(), stderr);
        return *commandLine.ExitCode;
    }
    MoveToHomeWhenStartedInRoot(commandLine.TreeFileName, commandLine.FileNamed);
    // When logging cannot start, the window still opens and says why, once; trees are read
    // and written without logs.
    const std::optional<std::string> startError = StartCategoryModel();
    if (startError)
        TQtDialogs().ShowError(nullptr, QString::fromStdString(*startError));
    TForm1 form(std::make_unique<TQtDialogs>(), commandLine.TreeFileName);
    form.show();
    return application.exec();
}
