#include "cli/feed/FeedCommandLine.h"

#include "cli/console/ToolCommandLine.h"

#include <CLI/CLI.hpp>

std::variant<TFeedCommand, int> ParseFeedCommandLine(int argc, const char* const* argv)
{
    TFeedCommand command;
    CLI::App app("Feeds a category tree into a Corvane directory site, as the window's \"Login & Feed\" does.\n"
                 "The password comes from --password-file, the TESSAROO_PASSWORD environment variable,\n"
                 "or a prompt on the terminal.",
                 "tessaroo-feed");
    AddVersionFlag(app);
    app.add_option("--domain", command.Domain, "The site's host name, with an optional :port")->required();
    app.add_option("--user", command.User, "The administrator's user name")->required();
    app.add_option("--tree", command.TreeFile, "The category tree to feed")->capture_default_str();
    app.add_option("--password-file", command.PasswordFile, "A file whose first line is the password");
    app.add_option("--timeout", command.TimeoutSeconds,
                   "Seconds a request may wait for the site to send anything (0: no limit)")
        ->check(CLI::Range(0, 2000000));
    app.add_flag("--dry-run", command.DryRun, "Log in, read the form page once and report what a feed would do");
    app.add_flag("--no-journal", command.NoJournal, "Neither read nor write the site's journal");
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& end) {
        return ExitCodeOfParseEnd(app, end);
    }
    return command;
}
