#include "tests/support/HardNamesTree.h"

#include "common/XmlPersistance/XmlPersistance.h"
#include "common/core/Text.h"

#include <array>
#include <deque>
#include <map>
#include <random>
#include <set>
#include <utility>

namespace {

constexpr std::size_t TopLevelCategories = 12;
constexpr std::uint32_t FewestChildren = 3;
constexpr std::uint32_t MostChildren = 15;

const std::array<const char*, 12> Words = {
    "Arts & Crafts", "Arts",  "Rock <&> Roll", "Say \"Hi\"", "It's",      "Caf\u00e9",
    "\u65e5\u672c",  "Music", "Stra\u00dfe",   "Q&A",        "1 < 2 > 0", "\u0395\u03bb\u03bb\u03ac\u03b4\u03b1"};

class THardNamesGenerator {
public:
    THardNamesGenerator(std::size_t entries, std::uint32_t seed) : Entries(entries), Random(seed) {}

    THardNamesTree Generate()
    {
        Tree.Root = std::make_unique<TXMLTreeNode>();
        AddChildren({Tree.Root.get(), nullptr}, TopLevelCategories, false);
        while (Created < Entries && !Pending.empty()) {
            const TParent parent = Pending.front();
            Pending.pop_front();
            AddChildren(parent, FewestChildren + Next(MostChildren - FewestChildren + 1), true);
        }
        return std::move(Tree);
    }

private:
    struct TParent {
        TXMLTreeNode* Node;
        const TCategory* Category;  // nullptr for the top
    };

    std::uint32_t Next(std::uint32_t bound) { return static_cast<std::uint32_t>(Random() % bound); }

    // The n-th sibling's name; now and then with blanks around it, or the name before it
    // with more behind, so that one name begins the other.
    std::u16string SiblingName(std::uint32_t n, const std::u16string& before)
    {
        if (!before.empty() && Next(7) == 0)
            return before + u" & More";
        std::u16string name = Utf8ToUtf16(Words[Next(Words.size())]) + u" " + Utf8ToUtf16(std::to_string(n));
        switch (Next(8)) {
        case 0: return u" " + name;
        case 1: return name + u" ";
        default: return name;
        }
    }

    void AddChildren(const TParent& parent, std::uint32_t children, bool withSymbolic)
    {
        std::u16string before;
        for (std::uint32_t n = 1; n <= children && Created < Entries; ++n) {
            if (withSymbolic && Next(10) == 0 && AddSymbolic(parent, n))
                continue;
            before = SiblingName(n, before);
            AddCategory(parent, before);
        }
    }

    TXMLTreeNode& AddNode(TXMLTreeNode& parent, std::unique_ptr<TBaseCategory> record)
    {
        auto node = std::make_unique<TXMLTreeNode>();
        node->Data = record.get();
        Tree.Records.push_back(std::move(record));
        TXMLTreeNode& added = *node;
        parent.AddNode(std::move(node));
        ++Created;
        return added;
    }

    void AddCategory(const TParent& parent, const std::u16string& name)
    {
        auto category = std::make_unique<TCategory>();
        category->ID = static_cast<std::int32_t>(Created + 1);
        category->Name = name;
        category->Url = (parent.Category ? parent.Category->Url : u"Top") + u"/" + ReplaceCharacter(name, u' ', u'_');
        const TCategory* record = category.get();
        TXMLTreeNode& node = AddNode(*parent.Node, std::move(category));
        ParentOf[record] = parent.Category;
        Categories.push_back(record);
        Pending.push_back({&node, record});
    }

    // A symbolic category for an earlier category with another parent, unless none fits.
    bool AddSymbolic(const TParent& parent, std::uint32_t n)
    {
        for (int attempt = 0; attempt < 8 && !Categories.empty(); ++attempt) {
            const TCategory* target = Categories[Next(static_cast<std::uint32_t>(Categories.size()))];
            if (target == parent.Category || ParentOf[target] == parent.Category ||
                !Pairs.emplace(parent.Category, target).second)
                continue;
            auto symbolic = std::make_unique<TSymbolicCategory>();
            symbolic->Name = u"See " + Utf8ToUtf16(Words[Next(Words.size())]) + u" " + Utf8ToUtf16(std::to_string(n));
            symbolic->Url = target->Url;
            symbolic->Parent = parent.Category->ID;
            AddNode(*parent.Node, std::move(symbolic));
            return true;
        }
        return false;
    }

    std::size_t Entries;
    std::mt19937 Random;
    std::size_t Created = 0;
    THardNamesTree Tree;
    std::deque<TParent> Pending;
    std::vector<const TCategory*> Categories;
    std::map<const TCategory*, const TCategory*> ParentOf;
    std::set<std::pair<const TCategory*, const TCategory*>> Pairs;
};

}  // namespace

THardNamesTree GenerateHardNamesTree(std::size_t entries, std::uint32_t seed)
{
    return THardNamesGenerator(entries, seed).Generate();
}

void WriteHardNamesTree(std::size_t entries, const std::string& fileName, std::uint32_t seed)
{
    const THardNamesTree tree = GenerateHardNamesTree(entries, seed);
    TXmlPersistance::ObjectToFile(*tree.Root, fileName);
}
