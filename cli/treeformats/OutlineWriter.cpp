#include "cli/treeformats/OutlineWriter.h"

#include "cli/treeformats/OutlineSyntax.h"
#include "common/core/Text.h"
#include "model/Category.h"
#include "model/UrlMap.h"
#include "model/tree/CategoryTree.h"

#include <algorithm>
#include <unordered_set>

namespace {

using namespace OutlineSyntax;

bool IsControlCharacter(char16_t c)
{
    return c < 0x20 || c == 0x7F;
}
bool IsBlank(char16_t c)
{
    return c == u' ' || c == u'\t';
}

bool NeedsLiteralMark(std::u16string_view name)
{
    if (name.empty())
        return false;
    const char16_t first = name.front();
    return first == Symbolic || first == Comment || first == Dash || first == Literal || IsBlank(first);
}

class TOutlineWriter {
public:
    TOutlineWriter(const TCategoryTree& tree, const TNoteSink& note) : Tree(tree), Note(note) {}

    std::string Write()
    {
        for (const auto& node : Tree.TopLevelNodes())
            CollectPaths(*node, TopUrl);
        for (const auto& node : Tree.TopLevelNodes())
            WriteEntry(*node, 0, TopUrl);
        return std::move(Text);
    }

private:
    const TCategoryTree& Tree;
    const TNoteSink& Note;
    std::string Text;
    // The path each category gets back from its names, by its Url as it stands, so that a
    // link can be written with the path its target will have.
    TUrlMap<std::u16string> PathsByUrl;
    std::unordered_set<std::u16string, TCaseInsensitiveHash, TCaseInsensitiveEqual> Paths;

    // A note is one line, whatever the name holds.
    void NoteEntry(std::u16string_view path, const std::string& reason) const
    {
        std::u16string shown(path);
        std::replace_if(shown.begin(), shown.end(), IsControlCharacter, u' ');
        Note("\"" + Utf16ToUtf8(shown) + "\" " + reason);
    }

    void CollectPaths(const TTreeNode& node, std::u16string_view parentPath)
    {
        const auto* category = dynamic_cast<const TCategory*>(node.Data());
        if (!category)
            return;
        std::u16string path = ChildUrl(parentPath, category->Name);
        if (!Paths.insert(path).second)
            NoteEntry(path, "has the same path as an entry before it, which an outline does not allow");
        PathsByUrl.emplace(category->Url, path);
        for (const auto& child : node.Children())
            CollectPaths(*child, path);
    }

    // The name as one outline line can hold it: control characters, line breaks among them,
    // become blanks.
    std::string LineName(std::u16string_view name, std::u16string_view path) const
    {
        std::u16string written(name);
        if (std::any_of(written.begin(), written.end(), IsControlCharacter)) {
            std::replace_if(written.begin(), written.end(), IsControlCharacter, u' ');
            NoteEntry(path, "has control characters in its name, written as blanks");
        }
        if (written.empty())
            NoteEntry(path, "has no name, which an outline line cannot give");
        else if (IsBlank(written.back()))
            NoteEntry(path, "has a name that ends with a blank, which an outline line drops");
        return Utf16ToUtf8(written);
    }

    void Indent(std::size_t depth)
    {
        for (std::size_t level = 0; level < depth; ++level)
            Text += WrittenIndent;
    }

    void WriteEntry(const TTreeNode& node, std::size_t depth, std::u16string_view parentPath)
    {
        const TBaseCategory* record = node.Data();
        Indent(depth);
        if (const auto* category = dynamic_cast<const TCategory*>(record)) {
            const std::u16string path = ChildUrl(parentPath, category->Name);
            if (NeedsLiteralMark(category->Name))
                Text += Literal;
            Text += LineName(category->Name, path);
            Text += '\n';
            for (const auto& child : node.Children())
                WriteEntry(*child, depth + 1, path);
            return;
        }
        WriteLink(*record, depth, parentPath);
        Text += '\n';
        if (!node.Children().empty())
            NoteEntry(ChildUrl(parentPath, record->Name),
                      "is a symbolic category that holds entries, which an outline does not allow");
        for (const auto& child : node.Children())
            WriteEntry(*child, depth + 1, parentPath);
    }

    void WriteLink(const TBaseCategory& link, std::size_t depth, std::u16string_view parentPath)
    {
        const std::u16string path = ChildUrl(parentPath, link.Name);
        if (depth == 0)
            NoteEntry(path, "is a symbolic category at the top level, which an outline does not allow");
        if (!link.Name.empty() && IsBlank(link.Name.front()))
            NoteEntry(path, "has a symbolic name that starts with a blank, which an outline line drops");
        Text += Symbolic;
        Text += LineName(link.Name, path);
        Text += SpacedArrow;
        const auto target = PathsByUrl.find(link.Url);
        if (target == PathsByUrl.end()) {
            NoteEntry(path, "links to \"" + Utf16ToUtf8(link.Url) + "\", which names no category");
            Text += Utf16ToUtf8(link.Url);
        } else {
            Text += Utf16ToUtf8(target->second);
        }
    }
};

}  // namespace

std::string OutlineText(const TCategoryTree& tree, const TNoteSink& note)
{
    return TOutlineWriter(tree, note).Write();
}
