#include "app/CommandLine.h"

#include <QCommandLineParser>

namespace {

constexpr int UsageError = 2;

// Written for help2man as much as for a person: a usage line, then one line per option.
const QString HelpText = "Usage: tessaroo [OPTION]... [FILE]\n"
                         "Edits a tree of directory categories and feeds it into the directory site.\n"
                         "\n"
                         "FILE is the tree file to work on (default: tree.xml in the current folder).\n"
                         "\n"
                         "Options:\n"
                         "  -h, --help     display this help and exit\n"
                         "  -v, --version  output version information and exit\n";

TCommandLine Finished(int exitCode, const QString& output, const QString& error = {})
{
    TCommandLine line;
    line.ExitCode = exitCode;
    line.Output = output;
    line.Error = error;
    return line;
}

}  // namespace

QStringList ArgumentsOf(int argc, const char* const* argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

TCommandLine ParseCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption help({"h", "help"}, "display this help and exit");
    const QCommandLineOption version({"v", "version"}, "output version information and exit");
    parser.addOption(help);
    parser.addOption(version);
    parser.addPositionalArgument("FILE", "The tree file to work on.", "[FILE]");
    if (!parser.parse(arguments))
        return Finished(UsageError, {}, "tessaroo: " + parser.errorText() + "\n");
    if (parser.isSet(help))
        return Finished(0, HelpText);
    if (parser.isSet(version))
        return Finished(0, QStringLiteral("tessaroo " TESSAROO_VERSION "\n"));
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        return Finished(UsageError, {}, "tessaroo: one tree file at most, not " + QString::number(files.size()) + "\n");
    TCommandLine line;
    if (!files.isEmpty()) {
        line.TreeFileName = files.front().toStdString();
        line.FileNamed = true;
    }
    return line;
}
