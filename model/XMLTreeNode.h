#pragma once

#include "model/Category.h"

#include <memory>
#include <vector>

// One node of the persisted category tree. It owns its child nodes; its Data record is
// borrowed from the tree view (on a save) or handed over to it (after a load).
class TXMLTreeNode : public TXMLPersistentObject {
public:
    std::vector<std::unique_ptr<TXMLTreeNode>> Nodes;
    TBaseCategory* Data = nullptr;

    // Appends the node as the last child; this node takes it over.
    void AddNode(std::unique_ptr<TXMLTreeNode> node);

    static const TXMLPersistentClass& ClassInfo();
    const TXMLPersistentClass& XmlClass() const override { return ClassInfo(); }
};
