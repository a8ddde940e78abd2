#include "TreeCommands.h"

#include "cli/treeformats/ImportedTree.h"
#include "cli/treeformats/OutlineReader.h"
#include "cli/treeformats/OutlineWriter.h"
#include "cli/treeformats/PathListReader.h"
#include "cli/treeformats/RdfDumpReader.h"
#include "cli/treeformats/TreeFile.h"
#include "cli/treeformats/TreeStats.h"
#include "common/core/ReplacementFile.h"
#include "model/tree/CategoryTree.h"

#include <ostream>

namespace {

// Lists in the stats are cut to this many items unless all are asked for.
constexpr std::size_t ListedItems = 10;

// The whole input was read before anything is written: an input error or a stop leaves the
// earlier output file as it was.
void WriteImported(const TImportedTree& tree, const TTreeCommandLine& line, const TStopRequest& stop, std::ostream& out)
{
    stop.ThrowIfRequested();
    WriteTreeFile(tree, line.Output);
    out << "wrote " << line.Output << " (categories: " << tree.CategoryCount
        << ", symbolic categories: " << tree.SymbolicCount << ")\n";
}

// A full disk or a closed pipe must not pass for a written outline.
void WriteStandardOutput(std::ostream& out, const std::string& text)
{
    out << text << std::flush;
    if (!out)
        throw EFileWriteError("Cannot write to standard output.");
}

TNoteSink NotesTo(std::ostream& notes, const std::string& prefix = {})
{
    return [&notes, prefix](const std::string& note) { notes << prefix << note << '\n'; };
}

}  // namespace

void ImportOutline(const TTreeCommandLine& line, const TStopRequest& stop, std::ostream& out)
{
    WriteImported(ReadOutline(line.Input, &stop), line, stop, out);
}

void ImportPathList(const TTreeCommandLine& line, const TStopRequest& stop, std::ostream& out)
{
    WriteImported(ReadPathList(line.Input, line.Separator, &stop), line, stop, out);
}

void ImportRdfDump(const TTreeCommandLine& line, const TStopRequest& stop, std::ostream& out, std::ostream& notes)
{
    const std::string root = line.Root.empty() ? DefaultRdfRoot : line.Root;
    WriteImported(ReadRdfDump(line.Input, root, NotesTo(notes), &stop), line, stop, out);
}

void ExportOutline(const TTreeCommandLine& line, std::ostream& out, std::ostream& notes)
{
    TCategoryTree tree;
    LoadTreeFile(line.Input, tree);
    const std::string text = OutlineText(tree, NotesTo(notes, line.Input + ": "));
    if (line.Output.empty()) {
        WriteStandardOutput(out, text);
        return;
    }
    TReplacementFile file(line.Output);
    file.Write(text);
    file.Commit();
}

void PrintStats(const TTreeCommandLine& line, std::ostream& out)
{
    TCategoryTree tree;
    LoadTreeFile(line.Input, tree);
    WriteStandardOutput(out, TreeStatsText(CollectTreeStats(tree), line.ListAll ? 0 : ListedItems));
}
