#include "model/XMLTreeNode.h"

#include "common/XmlPersistance/PropertyDeclarations.h"

void TXMLTreeNode::AddNode(std::unique_ptr<TXMLTreeNode> node)
{
    Nodes.push_back(std::move(node));
}

const TXMLPersistentClass& TXMLTreeNode::ClassInfo()
{
    static const TXMLPersistentClass info("TXMLTreeNode", nullptr,
                                          {OwnedObjectArrayProperty<&TXMLTreeNode::Nodes>("Nodes", "TXMLTreeNodeList"),
                                           BorrowedObjectProperty<&TXMLTreeNode::Data>("Data", "TBaseCategory")},
                                          CreateInstance<TXMLTreeNode>);
    return info;
}
