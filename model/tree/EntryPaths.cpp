#include "model/tree/EntryPaths.h"

#include "common/core/Text.h"
#include "model/Category.h"
#include "model/tree/CategoryTree.h"

namespace {

char UnescapedStep(char c)
{
    switch (c) {
    case 't': return '\t';
    case 'r': return '\r';
    case 'n': return '\n';
    default: return c;
    }
}

TTreeNode* CategoryNamed(const std::vector<std::unique_ptr<TTreeNode>>& nodes, const std::string& name)
{
    for (const auto& node : nodes)
        if (dynamic_cast<const TCategory*>(node->Data()) && Utf16ToUtf8(node->Data()->Name) == name)
            return node.get();
    return nullptr;
}

}  // namespace

std::string EscapePathName(std::string_view name)
{
    std::string escaped;
    escaped.reserve(name.size());
    for (const char c : name) {
        switch (c) {
        case '\\': escaped += "\\\\"; break;
        case '/': escaped += "\\/"; break;
        case '\t': escaped += "\\t"; break;
        case '\r': escaped += "\\r"; break;
        case '\n': escaped += "\\n"; break;
        default: escaped += c;
        }
    }
    return escaped;
}

std::string PathOfNode(const TTreeNode& node)
{
    std::vector<std::string> steps;
    for (const TTreeNode* n = &node; n; n = n->Parent())
        steps.push_back(EscapePathName(n->Data() ? Utf16ToUtf8(n->Data()->Name) : n->Text()));
    std::string path;
    for (auto step = steps.rbegin(); step != steps.rend(); ++step)
        path += (path.empty() ? "" : "/") + *step;
    return path;
}

std::vector<std::string> StepsOfPath(std::string_view path)
{
    std::vector<std::string> steps(1);
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (path[i] == '\\' && i + 1 < path.size())
            steps.back() += UnescapedStep(path[++i]);
        else if (path[i] == '/')
            steps.emplace_back();
        else
            steps.back() += path[i];
    }
    return steps;
}

TTreeNode* FindCategoryNodeByPath(const TCategoryTree& tree, std::string_view path)
{
    TTreeNode* node = nullptr;
    for (const std::string& step : StepsOfPath(path)) {
        node = CategoryNamed(node ? node->Children() : tree.TopLevelNodes(), step);
        if (!node)
            return nullptr;
    }
    return node;
}
