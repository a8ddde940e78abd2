#include "TreeFixtures.h"

std::unique_ptr<TCategory> MakeCategory(const std::u16string& name, std::int32_t id, const std::u16string& url)
{
    auto category = std::make_unique<TCategory>();
    category->Name = name;
    category->ID = id;
    category->Url = url;
    return category;
}

std::unique_ptr<TSymbolicCategory> MakeSymbolic(const std::u16string& name, std::int32_t parent,
                                                const std::u16string& url)
{
    auto symbolic = std::make_unique<TSymbolicCategory>();
    symbolic->Name = name;
    symbolic->Parent = parent;
    symbolic->Url = url;
    return symbolic;
}

namespace {

void OutlineBranch(const TTreeNode& node, int depth, std::vector<std::string>& lines)
{
    lines.push_back(std::string(2 * depth, ' ') + node.Text());
    for (const auto& child : node.Children())
        OutlineBranch(*child, depth + 1, lines);
}

}  // namespace

std::vector<std::string> Outline(const TCategoryTree& tree)
{
    std::vector<std::string> lines;
    for (const auto& node : tree.TopLevelNodes())
        OutlineBranch(*node, 0, lines);
    return lines;
}

std::string ExampleTreeFile()
{
    return std::string(TESSAROO_SOURCE_DIR) + "/demo/tree.xml";
}
