#include "cli/console/ToolCommandLine.h"

#include "cli/console/ToolExitCodes.h"

#include <CLI/CLI.hpp>

void AddVersionFlag(CLI::App& app)
{
    app.set_version_flag("--version", app.get_name() + " " + TESSAROO_VERSION);
}

int ExitCodeOfParseEnd(const CLI::App& app, const CLI::ParseError& end)
{
    const int printed = app.exit(end);
    return printed == static_cast<int>(CLI::ExitCodes::Success) ? ecDone : ecUsage;
}
