#pragma once

namespace CLI {
class App;
class ParseError;
}  // namespace CLI

// "--version", which prints the tool's name (the app's) and the program's version.
void AddVersionFlag(CLI::App& app);

// Prints what ended the parse (the help or version text, or the usage error) and gives the
// exit code: ecDone after --help or --version, ecUsage after an error.
int ExitCodeOfParseEnd(const CLI::App& app, const CLI::ParseError& end);
