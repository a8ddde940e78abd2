// tessaroo-tree: makes a tree file from what administrators keep their categories in (an
// outline, a list of paths, an open directory's RDF structure dump), writes a tree file as
// an outline, and tells what to know of a tree before a feed.

#include "ExitCodes.h"
#include "TreeCommands.h"

#include "cli/console/StopSignals.h"
#include "cli/console/ToolCommandLine.h"
#include "cli/treeformats/TreeFormatErrors.h"
#include "common/core/ReplacementFile.h"
#include "common/logging/Logger.h"
#include "model/CategoryModelStartup.h"

#include <CLI/CLI.hpp>

#include <functional>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

const char* const ToolName = "tessaroo-tree";

const char* const ExitCodesText = R"(Exit codes: 0 done; 1 the input file has an error (nothing written); 2 usage error;
5 the tree file cannot be read; 6 the output file cannot be written; 130 stopped
(Ctrl+C; nothing written).)";

const char* const OutlineFormText =
    R"(One category per line; the depth is the indentation (tabs, or spaces in the unit of
the first indented line) or a run of leading "-". Blank lines and lines starting with
"#" do not count. "@Name -> Top/Arts/Music" is a symbolic category under the category
above it, showing the category of that path. A "\" before a name keeps a leading "@",
"#", "-" or blank as part of the name.)";

const char* const NamedIDsText = R"(IDs are given 1, 2, 3... in tree order; a category's Url is its parent's Url, "/"
and its name with blanks as "_", starting from "Top".)";

const char* const RdfText = R"(Each Topic below the root becomes a category: catid as ID, d:Title as name, the
topic's path as Url; symbolic entries become symbolic categories. Topics whose parent
is missing go under their nearest ancestor; symbolic entries whose target is missing
or outside the root are left out. Both are reported.)";

const char* const ExportText = R"(The outline keeps names, order and symbolic categories; "import outline" of it gives
IDs and Urls anew, and for a tree that it made, the same file byte for byte.)";

TStopRequest StopRequest;

const std::map<std::string, TLogLevel> LogLevels = {{"None", llNone}, {"Error", llError}, {"Warn", llWarn},
                                                    {"Info", llInfo}, {"Debug", llDebug}, {"FullDebug", llFullDebug},
                                                    {"All", llAll}};

std::vector<std::string> LogLevelNames()
{
    std::vector<std::string> names;
    for (const auto& [name, level] : LogLevels)
        names.push_back(name);
    return names;
}

int ExitCodeOf(const std::exception& error)
{
    if (dynamic_cast<const EStopRequested*>(&error))
        return ecStopped;
    if (dynamic_cast<const ETreeFileUnreadable*>(&error))
        return ecTreeUnreadable;
    if (dynamic_cast<const EFileWriteError*>(&error))
        return ecOutputNotWritten;
    return ecInputRejected;
}

CLI::App* AddImportCommand(CLI::App& import, const char* name, const char* description, const std::string& footer,
                           TTreeCommandLine& line)
{
    CLI::App* command = import.add_subcommand(name, description);
    command->footer(footer);
    command->add_option("FILE", line.Input, "the file to read (gzip-compressed is fine)")->required();
    command->add_option("-o,--output", line.Output, "the tree file to write")->required();
    return command;
}

// Each command, once chosen on the command line, is kept in `command` to run after start-up.
void AddImportCommands(CLI::App& app, TTreeCommandLine& line, std::function<void()>& command)
{
    CLI::App* import = app.add_subcommand("import", "make a tree file from another form");
    import->require_subcommand(1);
    AddImportCommand(*import, "outline", "an indented outline, one category per line",
                     std::string(OutlineFormText) + "\n\n" + NamedIDsText, line)
        ->callback([&] { command = [&] { ImportOutline(line, StopRequest, std::cout); }; });
    CLI::App* paths = AddImportCommand(*import, "paths", "a list of paths, one per line", NamedIDsText, line);
    paths->add_option("--separator", line.Separator, "what separates the names of a path (default /)")
        ->check([](const std::string& separator) { return separator.empty() ? "an empty separator" : ""; });
    paths->callback([&] { command = [&] { ImportPathList(line, StopRequest, std::cout); }; });
    CLI::App* rdf = AddImportCommand(*import, "rdf", "an open directory's RDF structure dump", RdfText, line);
    rdf->add_option("--root", line.Root, "keep only the subtree of this topic, e.g. Top/Arts (default Top)");
    rdf->callback([&] { command = [&] { ImportRdfDump(line, StopRequest, std::cout, std::cerr); }; });
}

void AddTreeFileCommands(CLI::App& app, TTreeCommandLine& line, std::function<void()>& command)
{
    CLI::App* exportCommand = app.add_subcommand("export", "write a tree file as an outline");
    exportCommand->footer(std::string(ExportText) + "\n\n" + OutlineFormText);
    exportCommand->add_option("TREE", line.Input, "the tree file to read")->required();
    exportCommand->add_option("-o,--output", line.Output, "the outline file to write (default: standard output)");
    exportCommand->callback([&] { command = [&] { ExportOutline(line, std::cout, std::cerr); }; });

    CLI::App* stats = app.add_subcommand("stats", "what to know of a tree file before a feed");
    stats->add_option("TREE", line.Input, "the tree file to read")->required();
    stats->add_flag("--all", line.ListAll, "list every item instead of the first 10");
    stats->callback([&] { command = [&] { PrintStats(line, std::cout); }; });
}

int Run(const std::function<void()>& command, const std::string& logLevel)
{
    if (const std::optional<std::string> reason = StartCategoryModel())
        std::cerr << ToolName << ": logging could not start: " << *reason << '\n';
    GlobalLogLevel = LogLevels.at(logLevel);
    StopOnSignals(StopRequest, TSecondSignal::WaitsForTheStop);
    try {
        command();
        return ecDone;
    } catch (const std::exception& error) {
        std::cerr << error.what() << '\n';
        return ExitCodeOf(error);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    TTreeCommandLine line;
    std::string logLevel = "All";
    std::function<void()> command;

    CLI::App app("Makes a category tree file (tree.xml) from an outline, a list of paths or an open "
                 "directory's RDF dump; writes a tree file as an outline; tells what to know of a "
                 "tree before a feed.",
                 ToolName);
    AddVersionFlag(app);
    app.require_subcommand(1);
    // --log-level may also come after the command's own options.
    app.fallthrough();
    app.add_option("--log-level", logLevel,
                   "the most detailed records written to the logs (default All: every record, as the "
                   "window writes them)")
        ->transform(CLI::IsMember(LogLevelNames(), CLI::ignore_case));
    AddImportCommands(app, line, command);
    AddTreeFileCommands(app, line, command);
    app.footer(ExitCodesText);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& end) {
        return ExitCodeOfParseEnd(app, end);
    }
    return Run(command, logLevel);
}
