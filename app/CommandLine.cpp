#include "app/CommandLine.h"

#include <QCommandLineParser>

namespace {

constexpr int UsageError = 2;

TCommandLine Finished(int exitCode, const QString& output, const QString& error = {})
{
    TCommandLine line;
    line.ExitCode = exitCode;
    line.Output = output;
    line.Error = error;
    return line;
}

}  // namespace

TCommandLine ParseCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription("Edits a tree of directory categories and feeds it into the directory site.");
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument("FILE", "The tree file to work on (default: tree.xml in the current folder).",
                                 "[FILE]");
    if (!parser.parse(arguments))
        return Finished(UsageError, {}, "tessaroo: " + parser.errorText() + "\n");
    if (parser.isSet(help))
        return Finished(0, parser.helpText());
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
