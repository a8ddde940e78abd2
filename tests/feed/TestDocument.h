#pragma once

#include "common/core/Text.h"
#include "model/Category.h"
#include "model/tree/CategoryTree.h"

#include <map>
#include <memory>
#include <string>

// Records in a tree of their own, as the window holds them.
class TTestDocument {
public:
    // The Url is "Top/<name>" unless one is given.
    TCategory* Category(const std::u16string& name, std::int32_t id, TCategory* parent = nullptr,
                        const std::u16string& url = u"")
    {
        auto record = std::make_unique<TCategory>();
        record->Name = name;
        record->Url = url.empty() ? u"Top/" + name : url;
        record->ID = id;
        TCategory* category = record.get();
        TTreeNode& node = Tree.AddNode(NodeOf(parent), Utf16ToUtf8(name), std::move(record));
        Nodes.emplace(category, &node);
        return category;
    }

    void Symbolic(const std::u16string& name, const std::u16string& url, std::int32_t parent)
    {
        auto record = std::make_unique<TSymbolicCategory>();
        record->Name = name;
        record->Url = url;
        record->Parent = parent;
        Tree.AddNode(Tree.FindFirstCategoryNode(parent), Utf16ToUtf8(name), std::move(record));
    }

    const TCategoryTree& CategoryTree() const { return Tree; }

private:
    TTreeNode* NodeOf(const TCategory* record) const { return record ? Nodes.at(record) : nullptr; }

    TCategoryTree Tree;
    std::map<const TCategory*, TTreeNode*> Nodes;
};
