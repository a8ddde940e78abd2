#include "cli/treeformats/PathListReader.h"

#include "cli/treeformats/Blanks.h"
#include "cli/treeformats/InputLines.h"
#include "cli/treeformats/NamedTreeBuilder.h"
#include "cli/treeformats/TreeFileLimits.h"
#include "cli/treeformats/TreeFormatErrors.h"

namespace {

void AddPath(TNamedTreeBuilder& builder, std::string_view path, const std::string& separator, const TInputLines& lines)
{
    TXMLTreeNode* parent = nullptr;
    std::size_t start = 0;
    for (std::size_t level = 1;; ++level) {
        RefuseTooDeep(lines.FileName(), lines.LineNumber(), level);
        const std::size_t end = path.find(separator, start);
        const std::string_view name = TrimBlanks(path.substr(start, end - start));
        if (name.empty())
            throw ETreeInputError(lines.FileName(), lines.LineNumber(),
                                  "an empty name in the path \"" + std::string(path) + "\"");
        parent = &builder.FindOrAddCategory(parent, name, lines.LineNumber());
        if (end == std::string_view::npos)
            return;
        start = end + separator.size();
    }
}

}  // namespace

TImportedTree ReadPathList(const std::string& fileName, const std::string& separator, const TStopRequest* stop)
{
    TInputLines lines(fileName, stop);
    TNamedTreeBuilder builder(fileName);
    bool seenPath = false;
    std::string_view line;
    while (lines.Next(line)) {
        const std::string_view path = TrimBlanks(line);
        if (path.empty())
            continue;
        AddPath(builder, path, separator, lines);
        seenPath = true;
    }
    if (!seenPath)
        throw ETreeInputError(fileName, "no categories in the file");
    return builder.Finish();
}
