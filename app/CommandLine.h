#pragma once

#include <QStringList>

#include <optional>
#include <string>

// What the program's command line asks for: the window on a tree file, or a text to print
// and an exit code instead of a window (--help, --version, a usage error).
struct TCommandLine {
    std::string TreeFileName = "tree.xml";
    // Whether TreeFileName was named on the command line rather than the default.
    bool FileNamed = false;
    std::optional<int> ExitCode;
    // For standard output (help, version) or standard error (usage errors).
    QString Output;
    QString Error;
};

// Parses `tessaroo [FILE]`; the first argument is the program itself. A usage error exits
// with 2. It needs no application object, so that --help and --version are answered
// without a display.
TCommandLine ParseCommandLine(const QStringList& arguments);

// The program's arguments as main() got them.
QStringList ArgumentsOf(int argc, const char* const* argv);
