#include "TreeGenerator.h"

#include "common/XmlPersistance/XmlPersistance.h"
#include "common/core/Text.h"

#include <array>
#include <deque>
#include <random>

namespace {

constexpr std::size_t TopLevelCategories = 15;
constexpr std::uint32_t FewestChildren = 5;
constexpr std::uint32_t MostChildren = 30;
constexpr int DeepestLevel = 8;

const std::array<const char*, 24> Words = {"Arts",
                                           "Music",
                                           "Science",
                                           "Recreation",
                                           "Games",
                                           "Home",
                                           "Health",
                                           "Business",
                                           "Computers",
                                           "Society",
                                           "Sports",
                                           "Reference",
                                           "Regional",
                                           "Shopping",
                                           "News",
                                           "Kids",
                                           "K\u00fcche",
                                           "Caf\u00e9",
                                           "\u00c9lectronique",
                                           "\u0418\u0441\u043a\u0443\u0441\u0441\u0442\u0432\u043e",
                                           "\u65e5\u672c",
                                           "Fa\u00e7ade",
                                           "Stra\u00dfe",
                                           "\u039c\u03bf\u03c5\u03c3\u03b9\u03ba\u03ae"};

class TTreeGenerator {
public:
    TTreeGenerator(std::size_t entries, std::uint32_t seed) : Entries(entries), Random(seed) {}

    TGeneratedTree Generate()
    {
        TGeneratedTree tree;
        tree.Root = std::make_unique<TXMLTreeNode>();
        Tree = &tree;
        for (std::size_t i = 0; i < TopLevelCategories && Created < Entries; ++i)
            AddCategory(*tree.Root, u"Top", 1);
        while (Created < Entries && !Pending.empty()) {
            const TPending parent = Pending.front();
            Pending.pop_front();
            const std::uint32_t children = FewestChildren + Next(MostChildren - FewestChildren + 1);
            for (std::uint32_t i = 0; i < children && Created < Entries; ++i) {
                if (Next(10) == 0)
                    AddSymbolic(*parent.Node, parent.Category->ID);
                else
                    AddCategory(*parent.Node, parent.Category->Url, parent.Level + 1);
            }
        }
        return tree;
    }

private:
    struct TPending {
        TXMLTreeNode* Node;
        const TCategory* Category;
        int Level;
    };

    std::size_t Entries;
    std::mt19937 Random;
    std::size_t Created = 0;
    TGeneratedTree* Tree = nullptr;
    std::deque<TPending> Pending;
    std::vector<const TCategory*> Categories;

    std::uint32_t Next(std::uint32_t bound) { return static_cast<std::uint32_t>(Random() % bound); }

    std::u16string Word() { return Utf8ToUtf16(Words[Next(Words.size())]); }

    // One to three words; now and then joined with " & " or carrying a "<".
    std::u16string Name()
    {
        std::u16string name = Word();
        const std::uint32_t extra = Next(3);
        for (std::uint32_t i = 0; i < extra; ++i)
            name += (Next(4) == 0 ? u" & " : u" ") + Word();
        if (Next(20) == 0)
            name += u" <" + std::u16string(1, static_cast<char16_t>(u'0' + Next(10))) + u">";
        return name + u" " + Utf8ToUtf16(std::to_string(Created + 1));
    }

    TXMLTreeNode& AddNode(TXMLTreeNode& parent, std::unique_ptr<TBaseCategory> record)
    {
        auto node = std::make_unique<TXMLTreeNode>();
        node->Data = record.get();
        Tree->Records.push_back(std::move(record));
        TXMLTreeNode& added = *node;
        parent.AddNode(std::move(node));
        ++Created;
        return added;
    }

    void AddCategory(TXMLTreeNode& parent, const std::u16string& parentUrl, int level)
    {
        auto category = std::make_unique<TCategory>();
        category->ID = static_cast<std::int32_t>(Created + 1);
        category->Content = static_cast<std::int32_t>(Next(1000));
        category->Name = Name();
        std::u16string segment = category->Name;
        for (char16_t& c : segment)
            if (c == u' ')
                c = u'_';
        category->Url = parentUrl + u"/" + segment;
        const TCategory* record = category.get();
        TXMLTreeNode& node = AddNode(parent, std::move(category));
        Categories.push_back(record);
        if (level < DeepestLevel)
            Pending.push_back({&node, record, level});
    }

    // Shows an earlier category a second time under the parent.
    void AddSymbolic(TXMLTreeNode& parent, std::int32_t parentID)
    {
        auto symbolic = std::make_unique<TSymbolicCategory>();
        symbolic->Name = Name();
        symbolic->Url = Categories[Next(static_cast<std::uint32_t>(Categories.size()))]->Url;
        symbolic->Parent = parentID;
        AddNode(parent, std::move(symbolic));
    }
};

}  // namespace

TGeneratedTree GenerateTree(std::size_t entries, std::uint32_t seed)
{
    return TTreeGenerator(entries, seed).Generate();
}

void WriteGeneratedTree(std::size_t entries, const std::string& fileName, std::uint32_t seed)
{
    const TGeneratedTree tree = GenerateTree(entries, seed);
    const TLogLevel saved = GlobalLogLevel;
    GlobalLogLevel = llDebug;
    try {
        TXmlPersistance::ObjectToFile(*tree.Root, fileName);
    } catch (...) {
        GlobalLogLevel = saved;
        throw;
    }
    GlobalLogLevel = saved;
}
