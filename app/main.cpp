#include "app/Application.h"
#include "app/CommandLine.h"
#include "app/Dialogs.h"
#include "app/Form1.h"
#include "app/StartFolder.h"
#include "model/CategoryModelStartup.h"

#include <cstdio>
#include <optional>
#include <string>

namespace {

// The toolkit's own options start with one dash (-platform, -style); only the application
// object knows them.
bool MayHoldToolkitOptions(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        if (argv[i][0] == '-' && argv[i][1] != '-' && argv[i][1] != '\0')
            return true;
    return false;
}

int Answer(const TCommandLine& commandLine)
{
    std::fputs(commandLine.Output.toLocal8Bit().constData(), stdout);
    std::fputs(commandLine.Error.toLocal8Bit().constData(), stderr);
    return *commandLine.ExitCode;
}

}  // namespace

int main(int argc, char** argv)
{
    // The application object needs a display: --help, --version and a usage error are
    // answered before it exists, unless the toolkit's options may be among the arguments.
    const TCommandLine early = ParseCommandLine(ArgumentsOf(argc, argv));
    if (early.ExitCode && (*early.ExitCode == 0 || !MayHoldToolkitOptions(argc, argv)))
        return Answer(early);
    TApplication application(argc, argv);
    const TCommandLine commandLine = ParseCommandLine(application.arguments());
    if (commandLine.ExitCode)
        return Answer(commandLine);
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
