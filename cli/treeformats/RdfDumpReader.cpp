#include "cli/treeformats/RdfDumpReader.h"

#include "cli/treeformats/FlatPathIndex.h"
#include "cli/treeformats/RdfTopicParser.h"
#include "cli/treeformats/TreeFileLimits.h"
#include "cli/treeformats/TreeFormatErrors.h"
#include "common/core/Text.h"
#include "model/UrlMap.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <vector>

namespace {

constexpr std::string_view LinkTargetMark = ":Top/";

std::u16string_view ParentPath(std::u16string_view path)
{
    const std::size_t slash = path.rfind(u'/');
    return slash == std::u16string_view::npos ? std::u16string_view() : path.substr(0, slash);
}

std::u16string_view LastSegment(std::u16string_view path)
{
    return path.substr(path.rfind(u'/') + 1);
}

std::string Quoted(std::u16string_view text)
{
    return "\"" + Utf16ToUtf8(text) + "\"";
}

// Topics are taken in the order of the dump and placed once it is read: a topic may come
// before its parent, and a missing parent makes it go under its nearest ancestor, which may
// also come later. Most work is done as the topics come, while the dump is still being
// parsed on another thread: a topic whose parent came before it has its place at once, and a
// symbolic entry whose target came before it its target.
class TRdfTreeAssembly {
public:
    TRdfTreeAssembly(const std::string& fileName, const std::string& rootPath, const TNoteSink& note)
        : FileName(fileName), Root(Utf8ToUtf16(rootPath)), RootGiven(rootPath != DefaultRdfRoot), Note(note)
    {
        while (Root.size() > 1 && Root.back() == u'/')
            Root.pop_back();
    }

    void AddTopic(const TRdfTopic& topic)
    {
        std::u16string path = Utf8ToUtf16(topic.Path);
        if (SameTextIgnoringCase(path, Root)) {
            for (const TRdfLink& link : topic.Links)
                AddPendingLink(link, RootHolder);
            return;
        }
        if (!IsBelowRoot(path)) {
            ++TopicsOutside;
            return;
        }
        const std::int32_t id = CheckedCatId(topic);
        auto category = std::make_unique<TCategory>();
        category->ID = id;
        category->Name = topic.Title.empty() ? NameOfSegment(LastSegment(path)) : Utf8ToUtf16(topic.Title);
        category->Url = std::move(path);
        RefuseTooLong(FileName, topic.Line, category->Name);
        RefuseTooLong(FileName, topic.Line, category->Url);
        const std::size_t index = Topics.size();
        Topics.push_back({nullptr, category.get(), topic.Line, Unplaced, 0});
        if (const std::size_t known = TopicsByPath.Insert(index); known != TTopicIndex::None)
            Fail(topic.Line, "the topic " + Quoted(category->Url) + " is given twice (first at line " +
                                 std::to_string(Topics[known].Line) + ")");
        CatIds.push_back({id, index});
        std::unique_ptr<TXMLTreeNode> node = Tree.NewNode(std::move(category));
        Topics.back().Node = node.get();
        Unlinked.push_back(std::move(node));
        PlaceUnderEarlierParent(index);
        for (const TRdfLink& link : topic.Links)
            AddPendingLink(link, index);
    }

    TImportedTree Finish()
    {
        if (Topics.empty())
            throw ETreeInputError(FileName, RootGiven ? "no topic below " + Quoted(Root) + " in the dump"
                                                      : std::string("no topics in the dump"));
        if (TopicsOutside > 0 && !RootGiven)
            Note(FileName + ": " + std::to_string(TopicsOutside) + " topics outside " + Quoted(Root) + " left out");
        RefuseRepeatedCatIds();
        for (std::size_t index = 0; index < Topics.size(); ++index)
            if (Topics[index].Parent == Unplaced)
                PlaceLateTopic(index);
        for (TPendingLink& link : PendingLinks)
            FindLinkTarget(link);
        RefuseTooDeepEntries();
        AttachTopics();
        for (TPendingLink& link : PendingLinks)
            AttachLink(link);
        return std::move(Tree);
    }

private:
    // A topic's parent, by its index in Topics, before it is known, and for the top level.
    static constexpr std::uint32_t Unplaced = static_cast<std::uint32_t>(-1);
    static constexpr std::uint32_t TopLevel = static_cast<std::uint32_t>(-2);

    struct TTopicEntry {
        TXMLTreeNode* Node;
        const TCategory* Category;
        std::size_t Line;
        std::uint32_t Parent;
        // The entries that go under it, topics and symbolic categories.
        std::uint32_t Children;
    };
    struct TTopicPath {
        const std::vector<TTopicEntry>* Topics;
        std::u16string_view operator()(std::size_t index) const { return (*Topics)[index].Category->Url; }
    };
    using TTopicIndex = TFlatPathIndex<TTopicPath>;

    // The holder of the root's own symbolic entries, which have no category to go under.
    static constexpr std::size_t RootHolder = static_cast<std::size_t>(-1);

    struct TPendingLink {
        // As it stands in the dump ("Name:Top/Target").
        std::string Resource;
        std::size_t Line;
        // The topic's index in Topics, or RootHolder.
        std::size_t Holder;
        // Where ":Top/" starts in the resource: the name comes before it, the target after the ":".
        std::size_t Mark;
        // The symbolic category's node, made once the target is known; none for a link that
        // is left out.
        std::unique_ptr<TXMLTreeNode> Node;
    };

    struct TCatId {
        std::int32_t ID;
        std::size_t Topic;
        auto operator<=>(const TCatId&) const = default;
    };

    const std::string& FileName;
    std::u16string Root;
    bool RootGiven;
    const TNoteSink& Note;
    TImportedTree Tree;
    std::vector<TTopicEntry> Topics;
    // The nodes of Topics until they are placed in the tree, by the same index.
    std::vector<std::unique_ptr<TXMLTreeNode>> Unlinked;
    TTopicIndex TopicsByPath{TTopicPath{&Topics}};
    // Checked for repeats once the dump is read: sorting is cheaper than a table of a million.
    std::vector<TCatId> CatIds;
    std::vector<TPendingLink> PendingLinks;
    std::size_t TopicsOutside = 0;
    std::uint32_t TopLevelChildren = 0;
    // Topics of one parent mostly come one after the other: the last parent looked up, by
    // path, and what was found (Unplaced for nothing).
    std::u16string_view LastParentPath;
    std::uint32_t LastParent = Unplaced;

    [[noreturn]] void Fail(std::size_t line, const std::string& reason) const
    {
        throw ETreeInputError(FileName, line, reason);
    }

    void NoteLink(const TPendingLink& link, const std::string& what) const
    {
        Note(SourcePlace(FileName, link.Line, "the symbolic entry \"" + link.Resource + "\" is " + what));
    }

    bool IsBelowRoot(std::u16string_view path) const
    {
        return path.size() > Root.size() + 1 && path[Root.size()] == u'/' &&
               SameTextIgnoringCase(path.substr(0, Root.size()), Root);
    }

    std::int32_t CheckedCatId(const TRdfTopic& topic) const
    {
        const auto where = [&topic] { return "the topic \"" + std::string(topic.Path) + "\""; };
        if (!topic.HasCatId || topic.CatId.empty())
            Fail(topic.Line, where() + " has no catid");
        std::int32_t id = 0;
        const char* end = topic.CatId.data() + topic.CatId.size();
        const auto [stop, error] = std::from_chars(topic.CatId.data(), end, id);
        if (error != std::errc() || stop != end)
            Fail(topic.Line,
                 where() + " has the catid \"" + std::string(topic.CatId) + "\", which is no 32-bit number");
        return id;
    }

    // Of all topics whose catid came earlier, the one that comes first in the dump is named.
    void RefuseRepeatedCatIds()
    {
        std::sort(CatIds.begin(), CatIds.end());
        std::size_t repeat = Topics.size();
        std::size_t first = 0;
        for (std::size_t i = 1; i < CatIds.size(); ++i) {
            if (CatIds[i].ID == CatIds[i - 1].ID && CatIds[i].Topic < repeat) {
                repeat = CatIds[i].Topic;
                first = CatIds[i - 1].Topic;
            }
        }
        CatIds = {};
        if (repeat == Topics.size())
            return;
        const TTopicEntry& topic = Topics[repeat];
        Fail(topic.Line, "the topic " + Quoted(topic.Category->Url) + " has the catid " +
                             std::to_string(topic.Category->ID) + " of the topic at line " +
                             std::to_string(Topics[first].Line));
    }

    void AddPendingLink(const TRdfLink& link, std::size_t holder)
    {
        const std::size_t mark = link.Resource.rfind(LinkTargetMark);
        if (mark == std::string_view::npos || mark == 0)
            Fail(link.Line,
                 "the symbolic entry \"" + std::string(link.Resource) + "\" is not written \"Name:Top/Path\"");
        PendingLinks.push_back({std::string(link.Resource), link.Line, holder, mark, nullptr});
        if (holder != RootHolder)
            FindEarlierTarget(PendingLinks.back());
    }

    static std::u16string TargetPath(const TPendingLink& pending)
    {
        return Utf8ToUtf16(std::string_view(pending.Resource).substr(pending.Mark + 1));
    }

    void SetTarget(TPendingLink& pending, std::size_t target)
    {
        TTopicEntry& holder = Topics[pending.Holder];
        auto symbolic = std::make_unique<TSymbolicCategory>();
        symbolic->Name = Utf8ToUtf16(std::string_view(pending.Resource).substr(0, pending.Mark));
        RefuseTooLong(FileName, pending.Line, symbolic->Name);
        symbolic->Url = Topics[target].Category->Url;
        symbolic->Parent = holder.Category->ID;
        pending.Node = Tree.NewNode(std::move(symbolic));
        ++holder.Children;
    }

    // A target that came before the link is the one it keeps; the others are looked up once
    // the dump is read.
    void FindEarlierTarget(TPendingLink& pending)
    {
        if (const std::size_t found = TopicsByPath.Find(TargetPath(pending)); found != TTopicIndex::None)
            SetTarget(pending, found);
    }

    void SetParent(std::size_t index, std::uint32_t parent)
    {
        Topics[index].Parent = parent;
        ++(parent == TopLevel ? TopLevelChildren : Topics[parent].Children);
    }

    // A parent that came before the topic is the nearest place it can have; a topic whose
    // parent is not known yet waits for the end of the dump.
    void PlaceUnderEarlierParent(std::size_t index)
    {
        const std::u16string_view parentPath = ParentPath(Topics[index].Category->Url);
        if (!IsBelowRoot(parentPath))
            return SetParent(index, TopLevel);
        if (parentPath != LastParentPath) {
            const std::size_t found = TopicsByPath.Find(parentPath);
            LastParentPath = parentPath;
            LastParent = found == TTopicIndex::None ? Unplaced : static_cast<std::uint32_t>(found);
        }
        if (LastParent != Unplaced)
            SetParent(index, LastParent);
    }

    // The nearest ancestor in the dump, or TopLevel when there is none.
    std::uint32_t NearestAncestor(std::u16string_view path) const
    {
        for (std::u16string_view above = ParentPath(path); IsBelowRoot(above); above = ParentPath(above)) {
            if (const std::size_t found = TopicsByPath.Find(above); found != TTopicIndex::None)
                return static_cast<std::uint32_t>(found);
        }
        return TopLevel;
    }

    void PlaceLateTopic(std::size_t index)
    {
        const std::u16string_view url = Topics[index].Category->Url;
        const std::uint32_t parent = NearestAncestor(url);
        // Ancestors are found by cutting the path, so the parent is the one as long as its path.
        const std::u16string_view expected = ParentPath(url);
        if (!(parent != TopLevel && Topics[parent].Category->Url.size() == expected.size()))
            NoteMissingParent(Topics[index], expected, parent);
        SetParent(index, parent);
    }

    void NoteMissingParent(const TTopicEntry& topic, std::u16string_view expected, std::uint32_t parent) const
    {
        Note(SourcePlace(
            FileName, topic.Line,
            "the parent of the topic " + Quoted(topic.Category->Url) + ", " + Quoted(expected) +
                ", is missing from the dump; attached " +
                (parent != TopLevel ? "to " + Quoted(Topics[parent].Category->Url) : std::string("at the top level"))));
    }

    void FindLinkTarget(TPendingLink& pending)
    {
        if (pending.Node)
            return;
        if (pending.Holder == RootHolder)
            return NoteLink(pending, "left out: it belongs to the root " + Quoted(Root) + ", which is no category");
        const std::u16string target = TargetPath(pending);
        if (!IsBelowRoot(target))
            return NoteLink(pending, "left out: its target lies outside " + Quoted(Root));
        const std::size_t found = TopicsByPath.Find(target);
        if (found == TTopicIndex::None)
            return NoteLink(pending, "left out: its target is missing from the dump");
        SetTarget(pending, found);
    }

    // Levels count from 1 at the top level. A topic's parent may come after it in the dump,
    // so a chain of parents whose levels are not known yet is followed up first.
    std::vector<std::uint32_t> TopicLevels() const
    {
        std::vector<std::uint32_t> levels(Topics.size(), 0);
        std::vector<std::size_t> chain;
        for (std::size_t index = 0; index < Topics.size(); ++index) {
            std::size_t at = index;
            while (levels[at] == 0 && Topics[at].Parent != TopLevel) {
                chain.push_back(at);
                at = Topics[at].Parent;
            }
            std::uint32_t level = levels[at] != 0 ? levels[at] : (levels[at] = 1);
            for (; !chain.empty(); chain.pop_back())
                level = levels[chain.back()] = level + 1;
        }
        return levels;
    }

    // Before anything is linked: a tree of any depth would be freed recursively.
    void RefuseTooDeepEntries() const
    {
        const std::vector<std::uint32_t> levels = TopicLevels();
        for (std::size_t index = 0; index < Topics.size(); ++index)
            RefuseTooDeep(FileName, Topics[index].Line, levels[index]);
        for (const TPendingLink& link : PendingLinks)
            if (link.Node)
                RefuseTooDeep(FileName, link.Line, levels[link.Holder] + std::size_t{1});
    }

    // The first child makes the list of children as long as it will be.
    static void AddChild(const TTopicEntry& parent, std::unique_ptr<TXMLTreeNode> node)
    {
        if (parent.Node->Nodes.empty())
            parent.Node->Nodes.reserve(parent.Children);
        parent.Node->AddNode(std::move(node));
    }

    // In the order of the dump.
    void AttachTopics()
    {
        Tree.Root->Nodes.reserve(TopLevelChildren);
        for (std::size_t index = 0; index < Topics.size(); ++index) {
            const std::uint32_t parent = Topics[index].Parent;
            if (parent == TopLevel) {
                Tree.Root->AddNode(std::move(Unlinked[index]));
                continue;
            }
            AddChild(Topics[parent], std::move(Unlinked[index]));
        }
        Unlinked.clear();
        Unlinked.shrink_to_fit();
    }

    void AttachLink(TPendingLink& pending)
    {
        if (pending.Node)
            AddChild(Topics[pending.Holder], std::move(pending.Node));
    }
};

}  // namespace

TImportedTree ReadRdfDump(const std::string& fileName, const std::string& rootPath, const TNoteSink& note,
                          const TStopRequest* stop)
{
    TRdfTreeAssembly assembly(fileName, rootPath, note);
    ParseRdfTopics(
        fileName, [&assembly](const TRdfTopic& topic) { assembly.AddTopic(topic); }, stop);
    return assembly.Finish();
}
