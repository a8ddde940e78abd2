#include "app/CategoryTreeModel.h"

TCategoryTreeModel::TCategoryTreeModel(TCategoryTree& tree, QObject* parent) : QAbstractItemModel(parent), Tree(tree)
{
    Tree.SetObserver(this);
}

TCategoryTreeModel::~TCategoryTreeModel()
{
    Tree.SetObserver(nullptr);
}

TTreeNode* TCategoryTreeModel::NodeOf(const QModelIndex& index)
{
    return index.isValid() ? static_cast<TTreeNode*>(index.internalPointer()) : nullptr;
}

QModelIndex TCategoryTreeModel::IndexOf(const TTreeNode* node) const
{
    return node ? createIndex(node->Row(), 0, node) : QModelIndex();
}

const std::vector<std::unique_ptr<TTreeNode>>& TCategoryTreeModel::ChildrenOf(const QModelIndex& parent) const
{
    const TTreeNode* node = NodeOf(parent);
    return node ? node->Children() : Tree.TopLevelNodes();
}

QModelIndex TCategoryTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    const auto& children = ChildrenOf(parent);
    if (column != 0 || row < 0 || static_cast<std::size_t>(row) >= children.size())
        return QModelIndex();
    return createIndex(row, 0, children[static_cast<std::size_t>(row)].get());
}

QModelIndex TCategoryTreeModel::parent(const QModelIndex& child) const
{
    const TTreeNode* node = NodeOf(child);
    return node ? IndexOf(node->Parent()) : QModelIndex();
}

int TCategoryTreeModel::rowCount(const QModelIndex& parent) const
{
    if (parent.column() > 0)
        return 0;
    return static_cast<int>(ChildrenOf(parent).size());
}

int TCategoryTreeModel::columnCount(const QModelIndex&) const
{
    return 1;
}

bool TCategoryTreeModel::hasChildren(const QModelIndex& parent) const
{
    return rowCount(parent) > 0;
}

QVariant TCategoryTreeModel::data(const QModelIndex& index, int role) const
{
    const TTreeNode* node = NodeOf(index);
    if (!node || role != Qt::DisplayRole)
        return QVariant();
    return QString::fromStdString(node->Text());
}

void TCategoryTreeModel::BranchAboutToBeAdded(TTreeNode* parent, int row)
{
    beginInsertRows(IndexOf(parent), row, row);
}

void TCategoryTreeModel::BranchAdded()
{
    endInsertRows();
}

void TCategoryTreeModel::BranchAboutToBeRemoved(TTreeNode& node)
{
    beginRemoveRows(IndexOf(node.Parent()), node.Row(), node.Row());
}

void TCategoryTreeModel::BranchRemoved()
{
    endRemoveRows();
}

void TCategoryTreeModel::NodeTextChanged(TTreeNode& node)
{
    const QModelIndex index = IndexOf(&node);
    emit dataChanged(index, index, {Qt::DisplayRole});
}
