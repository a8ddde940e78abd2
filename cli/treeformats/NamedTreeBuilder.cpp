#include "cli/treeformats/NamedTreeBuilder.h"

#include "cli/treeformats/TreeFileLimits.h"
#include "cli/treeformats/TreeFormatErrors.h"
#include "common/core/Text.h"

#include <algorithm>
#include <cstdint>

namespace {

const std::u16string& UrlOf(const TXMLTreeNode* node)
{
    static const std::u16string top(TopUrl);
    return node ? node->Data->Url : top;
}

bool IsControlCharacter(char16_t c)
{
    return c < 0x20 || c == 0x7F;
}

// Pre-order, with a stack of its own: an outline may be deep.
void GiveIDs(TXMLTreeNode& root)
{
    std::int32_t next = 0;
    std::vector<TXMLTreeNode*> pending{&root};
    while (!pending.empty()) {
        TXMLTreeNode* node = pending.back();
        pending.pop_back();
        if (auto* category = dynamic_cast<TCategory*>(node->Data))
            category->ID = ++next;
        for (auto child = node->Nodes.rbegin(); child != node->Nodes.rend(); ++child)
            pending.push_back(child->get());
    }
}

}  // namespace

TNamedTreeBuilder::TNamedTreeBuilder(std::string fileName) : FileName(std::move(fileName))
{
}

std::u16string TNamedTreeBuilder::CheckedName(std::string_view name, std::size_t line) const
{
    if (name.empty())
        throw ETreeInputError(FileName, line, "an entry without a name");
    std::u16string wide = Utf8ToUtf16(name);
    if (std::any_of(wide.begin(), wide.end(), IsControlCharacter))
        throw ETreeInputError(FileName, line, "a control character in the name \"" + std::string(name) + "\"");
    return wide;
}

TXMLTreeNode& TNamedTreeBuilder::AddCategory(TXMLTreeNode* parent, std::string_view name, std::size_t line)
{
    std::u16string wide = CheckedName(name, line);
    std::u16string url = ChildUrl(UrlOf(parent), wide);
    if (const auto existing = Index.find(url); existing != Index.end())
        FailSamePath(wide, existing->second, line);
    return AddIndexedCategory(parent, std::move(wide), std::move(url), line);
}

TXMLTreeNode& TNamedTreeBuilder::FindOrAddCategory(TXMLTreeNode* parent, std::string_view name, std::size_t line)
{
    std::u16string wide = CheckedName(name, line);
    std::u16string url = ChildUrl(UrlOf(parent), wide);
    if (const auto existing = Index.find(url); existing != Index.end()) {
        if (existing->second.Node->Data->Name != wide)
            FailSamePath(wide, existing->second, line);
        return *existing->second.Node;
    }
    return AddIndexedCategory(parent, std::move(wide), std::move(url), line);
}

TXMLTreeNode& TNamedTreeBuilder::AddIndexedCategory(TXMLTreeNode* parent, std::u16string name, std::u16string url,
                                                    std::size_t line)
{
    // The Url holds the name.
    RefuseTooLong(FileName, line, url);
    auto category = std::make_unique<TCategory>();
    category->Name = std::move(name);
    category->Url = std::move(url);
    const std::u16string_view key = category->Url;
    TXMLTreeNode& node = Tree.Append(parent ? *parent : *Tree.Root, std::move(category));
    Index.emplace(key, TIndexed{&node, line});
    return node;
}

void TNamedTreeBuilder::FailSamePath(std::u16string_view name, const TIndexed& existing, std::size_t line) const
{
    throw ETreeInputError(FileName, line,
                          "\"" + Utf16ToUtf8(name) + "\" has the same path as line " + std::to_string(existing.Line) +
                              ": " + Utf16ToUtf8(existing.Node->Data->Url));
}

void TNamedTreeBuilder::AddSymbolic(TXMLTreeNode& parent, std::string_view name, std::string_view targetPath,
                                    std::size_t line)
{
    auto link = std::make_unique<TSymbolicCategory>();
    link->Name = CheckedName(name, line);
    RefuseTooLong(FileName, line, link->Name);
    TSymbolicCategory* record = link.get();
    Tree.Append(parent, std::move(link));
    PendingLinks.push_back({record, &parent, UrlSegmentOf(Utf8ToUtf16(targetPath)), line});
}

TImportedTree TNamedTreeBuilder::Finish()
{
    GiveIDs(*Tree.Root);
    for (const TPendingLink& pending : PendingLinks)
        ResolveLink(pending);
    PendingLinks.clear();
    Index.clear();
    return std::move(Tree);
}

void TNamedTreeBuilder::ResolveLink(const TPendingLink& pending) const
{
    const auto target = Index.find(pending.Target);
    if (target == Index.end())
        throw ETreeInputError(FileName, pending.Line,
                              "the symbolic target \"" + Utf16ToUtf8(pending.Target) + "\" names no category");
    pending.Link->Url = target->second.Node->Data->Url;
    pending.Link->Parent = static_cast<const TCategory*>(pending.Parent->Data)->ID;
}
