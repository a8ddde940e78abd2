#include "cli/treeformats/OutlineReader.h"

#include "cli/treeformats/Blanks.h"
#include "cli/treeformats/InputLines.h"
#include "cli/treeformats/NamedTreeBuilder.h"
#include "cli/treeformats/OutlineSyntax.h"
#include "cli/treeformats/TreeFileLimits.h"
#include "cli/treeformats/TreeFormatErrors.h"

#include <optional>
#include <vector>

namespace {

using namespace OutlineSyntax;

struct TEntryLine {
    std::size_t Depth = 0;
    bool IsSymbolic = false;
    std::string_view Name;
    std::string_view Target;
};

// How the file gives depth; the first line below the top level decides for all others.
enum class TDepthStyle { Unknown, Tabs, Spaces, Dashes };

const char* StyleText(TDepthStyle style)
{
    switch (style) {
    case TDepthStyle::Tabs: return "indented with tabs";
    case TDepthStyle::Spaces: return "indented with spaces";
    default: return "marked with dashes";
    }
}

class TOutlineReader {
public:
    TOutlineReader(const std::string& fileName, const TStopRequest* stop) : Lines(fileName, stop), Builder(fileName) {}

    TImportedTree Read()
    {
        std::string_view text;
        while (Lines.Next(text)) {
            if (std::optional<TEntryLine> entry = ParseLine(text))
                AddEntry(*entry);
        }
        if (!SeenEntry)
            throw ETreeInputError(Lines.FileName(), "no categories in the file");
        return Builder.Finish();
    }

private:
    TInputLines Lines;
    TNamedTreeBuilder Builder;
    TDepthStyle Style = TDepthStyle::Unknown;
    std::size_t StyleLine = 0;
    std::size_t SpaceUnit = 0;
    // Open[d] is the category that an entry at depth d + 1 goes under.
    std::vector<TXMLTreeNode*> Open;
    bool SeenEntry = false;
    std::size_t PreviousDepth = 0;
    std::optional<std::size_t> PreviousSymbolicLine;

    [[noreturn]] void Fail(const std::string& reason) const
    {
        throw ETreeInputError(Lines.FileName(), Lines.LineNumber(), reason);
    }

    std::optional<TEntryLine> ParseLine(std::string_view text)
    {
        text = text.substr(0, text.find_last_not_of(" \t") + 1);
        const std::size_t indentEnd = text.find_first_not_of(" \t");
        if (indentEnd == std::string_view::npos || text[indentEnd] == Comment)
            return std::nullopt;
        TEntryLine entry;
        std::string_view rest = text.substr(indentEnd);
        if (indentEnd > 0) {
            if (rest.front() == Dash)
                Fail("both indented and marked with dashes; use one or the other");
            entry.Depth = IndentDepth(text.substr(0, indentEnd));
        } else if (rest.front() == Dash) {
            const std::size_t dashes = rest.find_first_not_of(Dash);
            entry.Depth = dashes == std::string_view::npos ? rest.size() : dashes;
            UseStyle(TDepthStyle::Dashes);
            rest = TrimBlanks(rest.substr(entry.Depth));
        }
        ParseEntryText(rest, entry);
        return entry;
    }

    std::size_t IndentDepth(std::string_view indent)
    {
        const bool tabs = indent.front() == '\t';
        if (indent.find(tabs ? ' ' : '\t') != std::string_view::npos)
            Fail("the indentation mixes tabs and spaces");
        UseStyle(tabs ? TDepthStyle::Tabs : TDepthStyle::Spaces);
        if (tabs)
            return indent.size();
        if (SpaceUnit == 0)
            SpaceUnit = indent.size();
        if (indent.size() % SpaceUnit != 0)
            Fail("indented by " + std::to_string(indent.size()) + " spaces, not a multiple of " +
                 std::to_string(SpaceUnit) + " (the unit of line " + std::to_string(StyleLine) + ")");
        return indent.size() / SpaceUnit;
    }

    void UseStyle(TDepthStyle style)
    {
        if (Style == TDepthStyle::Unknown) {
            Style = style;
            StyleLine = Lines.LineNumber();
        } else if (Style != style) {
            Fail(std::string(StyleText(style)) + ", but the file is " + StyleText(Style) + " (line " +
                 std::to_string(StyleLine) + ")");
        }
    }

    void ParseEntryText(std::string_view rest, TEntryLine& entry) const
    {
        if (!rest.empty() && rest.front() == Literal) {
            entry.Name = rest.substr(1);
            return;
        }
        if (rest.empty() || rest.front() != Symbolic) {
            entry.Name = rest;
            return;
        }
        const std::string_view link = rest.substr(1);
        std::size_t arrow = link.rfind(SpacedArrow);
        std::size_t arrowSize = SpacedArrow.size();
        if (arrow == std::string_view::npos) {
            arrow = link.rfind(Arrow);
            arrowSize = Arrow.size();
        }
        if (arrow == std::string_view::npos || TrimBlanks(link.substr(arrow + arrowSize)).empty())
            Fail("a symbolic category is written \"@Name -> Top/Path\"");
        entry.IsSymbolic = true;
        entry.Name = TrimBlanks(link.substr(0, arrow));
        entry.Target = TrimBlanks(link.substr(arrow + arrowSize));
    }

    void CheckDepth(const TEntryLine& entry) const
    {
        if (entry.Depth <= Open.size())
            return;
        if (!SeenEntry)
            Fail("the first entry is at depth " + std::to_string(entry.Depth) + "; it must be at the top level");
        if (PreviousSymbolicLine && entry.Depth == PreviousDepth + 1)
            Fail("an entry below the symbolic category of line " + std::to_string(*PreviousSymbolicLine) +
                 "; a symbolic category holds no entries");
        Fail("depth jumps from " + std::to_string(PreviousDepth) + " to " + std::to_string(entry.Depth));
    }

    void AddEntry(const TEntryLine& entry)
    {
        CheckDepth(entry);
        const std::size_t line = Lines.LineNumber();
        RefuseTooDeep(Lines.FileName(), line, entry.Depth + 1);
        TXMLTreeNode* parent = entry.Depth > 0 ? Open[entry.Depth - 1] : nullptr;
        Open.resize(entry.Depth);
        if (entry.IsSymbolic) {
            if (!parent)
                Fail("a symbolic category at the top level; it needs a category to appear under");
            Builder.AddSymbolic(*parent, entry.Name, entry.Target, line);
            PreviousSymbolicLine = line;
        } else {
            Open.push_back(&Builder.AddCategory(parent, entry.Name, line));
            PreviousSymbolicLine.reset();
        }
        PreviousDepth = entry.Depth;
        SeenEntry = true;
    }
};

}  // namespace

TImportedTree ReadOutline(const std::string& fileName, const TStopRequest* stop)
{
    return TOutlineReader(fileName, stop).Read();
}
