// Usage: categorytree_bench [entries] [branch entries] [folder]
// Builds a tree of `entries` nodes (top-level branches of `branch entries` nodes each, ten
// children per node, every tenth record a symbolic category), saves it, and then measures
// in one run, with the engine's trace below its threshold:
//   load:   FileToObject alone   against LoadTree into an empty tree and document
//   save:   ObjectToFile alone   against SaveTree (which also builds the node tree)
//   delete: DeleteBranch of one top-level branch
// and the memory the tree takes per node. Prints ratios; asserts nothing.
#include "common/XmlPersistance/XmlPersistance.h"
#include "model/CategoryClasses.h"
#include "model/XMLTreeNode.h"
#include "model/tree/CategoryTree.h"
#include "model/tree/TreeBinding.h"

#include <malloc.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using TClock = std::chrono::steady_clock;
constexpr int Runs = 3;

double SecondsSince(TClock::time_point start)
{
    return std::chrono::duration<double>(TClock::now() - start).count();
}

std::size_t HeapInUse()
{
    return mallinfo2().uordblks;
}

std::unique_ptr<TBaseCategory> NewRecord(std::size_t number)
{
    const std::string digits = std::to_string(number);
    const std::u16string name = u"Category " + std::u16string(digits.begin(), digits.end());
    if (number % 10 == 9) {
        auto link = std::make_unique<TSymbolicCategory>();
        link->Name = name;
        link->Url = u"Top/" + name;
        link->Parent = static_cast<std::int32_t>(number / 2);
        return link;
    }
    auto category = std::make_unique<TCategory>();
    category->Name = name;
    category->Url = u"Top/" + name;
    category->ID = static_cast<std::int32_t>(number);
    return category;
}

// A branch of `size` nodes, ten children per node, numbered from `first`.
std::unique_ptr<TTreeNode> BuildBranch(std::size_t first, std::size_t size)
{
    std::vector<TTreeNode*> nodes;
    nodes.reserve(size);
    auto root = std::make_unique<TTreeNode>("", NewRecord(first));
    nodes.push_back(root.get());
    for (std::size_t i = 1; i < size; ++i) {
        auto record = NewRecord(first + i);
        std::string text = NodeTextOf(*record);
        nodes.push_back(
            &nodes[(i - 1) / 10]->AppendDetachedChild(std::make_unique<TTreeNode>(std::move(text), std::move(record))));
    }
    return root;
}

void BuildTree(TCategoryTree& tree, std::size_t entries, std::size_t branchEntries)
{
    for (std::size_t first = 0; first < entries; first += branchEntries)
        tree.AddBranch(nullptr, BuildBranch(first, std::min(branchEntries, entries - first)));
}

void Report(const char* what, double measured, double baseline)
{
    std::printf("%-44s %8.3f s   baseline %8.3f s   ratio %.2f\n", what, measured, baseline, measured / baseline);
}

}  // namespace

int main(int argc, char** argv)
{
    const std::size_t entries = argc > 1 ? std::stoul(argv[1]) : 1000000;
    const std::size_t branchEntries = argc > 2 ? std::stoul(argv[2]) : entries / 10;
    const std::filesystem::path folder = argc > 3 ? argv[3] : std::filesystem::temp_directory_path();
    const std::string fileName = (folder / "categorytree_bench.xml").string();
    GlobalLogLevel = llError;
    RegisterCategoryClasses();

    std::size_t heapBefore = HeapInUse();
    {
        TCategoryTree tree;
        BuildTree(tree, entries, branchEntries);
        std::printf("tree of %zu nodes: %.0f bytes per node (node, text, record, index); the node object itself %zu\n",
                    tree.Count(), double(HeapInUse() - heapBefore) / double(tree.Count()), sizeof(TTreeNode));
        SaveTree(tree, fileName);
    }
    std::printf("file: %s, %.1f MB\n", fileName.c_str(), double(std::filesystem::file_size(fileName)) / 1e6);

    // Best of a few runs, the two sides of each comparison taking turns.
    double readAlone = 1e9, load = 1e9, writeAlone = 1e9, save = 1e9;
    std::size_t saveMessages = 0;
    double bytesPerNode = 0;
    auto tree = std::make_unique<TCategoryTree>();
    for (int run = 0; run < Runs; ++run) {
        auto start = TClock::now();
        TXmlPersistance::FileToObject(fileName);
        readAlone = std::min(readAlone, SecondsSince(start));

        tree = std::make_unique<TCategoryTree>();
        heapBefore = HeapInUse();
        start = TClock::now();
        LoadTree(*tree, fileName, [] {});
        load = std::min(load, SecondsSince(start));
        bytesPerNode = double(HeapInUse() - heapBefore) / double(tree->Count());

        {
            auto root = std::make_unique<TXMLTreeNode>();
            for (const auto& node : tree->TopLevelNodes())
                root->AddNode(BuildXmlTreeNode(*node));
            start = TClock::now();
            TXmlPersistance::ObjectToFile(*root, fileName);
            writeAlone = std::min(writeAlone, SecondsSince(start));
        }
        saveMessages = 0;
        start = TClock::now();
        SaveTree(*tree, fileName, [&] { ++saveMessages; });
        save = std::min(save, SecondsSince(start));
    }
    Report("LoadTree vs FileToObject", load, readAlone);
    Report("SaveTree vs ObjectToFile", save, writeAlone);
    std::printf("after LoadTree: %.0f bytes per node\n", bytesPerNode);
    std::printf("SaveTree processed messages %zu times\n", saveMessages);

    const std::size_t before = tree->Count();
    const auto start = TClock::now();
    DeleteBranch(*tree, *tree->TopLevelNodes()[tree->TopLevelNodes().size() / 2]);
    const double remove = SecondsSince(start);
    std::printf("DeleteBranch of %zu of %zu entries: %.3f s (%zu categories and %zu symbolic left)\n",
                before - tree->Count(), before, remove, tree->CategoryCount(), tree->SymbolicCount());
    std::filesystem::remove(fileName);
    std::filesystem::remove(fileName + ".bak");
    return 0;
}
