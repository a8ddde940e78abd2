#include "TreeFormatTest.h"

#include "cli/treeformats/TreeFile.h"
#include "cli/treeformats/TreeFormatErrors.h"
#include "common/core/Text.h"
#include "model/CategoryClasses.h"
#include "model/tree/CategoryTree.h"
#include "model/tree/TreeBinding.h"
#include "tests/support/WholeFile.h"

#include <zlib.h>

namespace {

void Describe(const TTreeNode& node, std::size_t depth, std::string& text)
{
    text += std::string(depth * 2, ' ');
    const TBaseCategory& record = *node.Data();
    if (const auto* category = dynamic_cast<const TCategory*>(&record)) {
        text += Utf16ToUtf8(category->Name) + " #" + std::to_string(category->ID) + " " + Utf16ToUtf8(category->Url);
    } else {
        const auto& link = static_cast<const TSymbolicCategory&>(record);
        text += "@" + Utf16ToUtf8(link.Name) + " -> " + Utf16ToUtf8(link.Url) + " ^" + std::to_string(link.Parent);
    }
    text += "\n";
    for (const auto& child : node.Children())
        Describe(*child, depth + 1, text);
}

// What the feed looks up in the tree: a category's parent through the first node of its ID, a
// symbolic category's target by Url and its parent by ID.
void ExpectFeedLookupsResolve(const TTreeNode& node, const TCategoryTree& tree)
{
    if (const auto* category = dynamic_cast<const TCategory*>(node.Data())) {
        EXPECT_EQ(tree.FindFirstCategoryNode(category->ID), &node) << "ID " << category->ID << " is not unique";
    } else {
        const auto& link = static_cast<const TSymbolicCategory&>(*node.Data());
        EXPECT_NE(tree.FindCategoryByUrl(link.Url), nullptr) << Utf16ToUtf8(link.Url);
        ASSERT_NE(node.Parent(), nullptr);
        EXPECT_EQ(tree.FindCategoryByID(link.Parent), node.Parent()->Data()) << Utf16ToUtf8(link.Name);
    }
    for (const auto& child : node.Children())
        ExpectFeedLookupsResolve(*child, tree);
}

}  // namespace

std::string DescribeTreeFile(const std::string& fileName)
{
    TCategoryTree tree;
    LoadTree(tree, fileName);
    for (const auto& node : tree.TopLevelNodes())
        ExpectFeedLookupsResolve(*node, tree);
    std::string text;
    for (const auto& node : tree.TopLevelNodes())
        Describe(*node, 0, text);
    return text;
}

std::string ResavedByWindow(const std::string& fileName, const std::string& copyName)
{
    TCategoryTree tree;
    LoadTree(tree, fileName);
    SaveTree(tree, copyName);
    return ReadFile(copyName);
}

void TTreeFormatTest::SetUp()
{
    RegisterCategoryClasses();
}

std::string TTreeFormatTest::Input(const std::string& name, const std::string& bytes) const
{
    WriteFile(Folder.PathOf(name), bytes);
    return Folder.PathOf(name);
}

std::string TTreeFormatTest::CompressedInput(const std::string& name, const std::string& bytes) const
{
    const std::string file = Folder.PathOf(name);
    gzFile out = gzopen(file.c_str(), "wb");
    gzwrite(out, bytes.data(), static_cast<unsigned>(bytes.size()));
    gzclose(out);
    return file;
}

std::string TTreeFormatTest::WrittenAndDescribed(const TImportedTree& tree, const std::string& name) const
{
    WriteTreeFile(tree, PathOf(name));
    return DescribeTreeFile(PathOf(name));
}

std::string TTreeFormatTest::InputErrorOf(const std::function<void()>& reading) const
{
    try {
        reading();
    } catch (const ETreeInputError& error) {
        const std::string folder = Folder.Path().string() + "/";
        std::string message = error.what();
        if (message.starts_with(folder))
            message.erase(0, folder.size());
        return message;
    }
    return "";
}
