#pragma once

#include "model/tree/CategoryTree.h"

#include <QAbstractItemModel>

// Shows a TCategoryTree in a Qt item view: one column, the node texts. The tree stays the
// only store; the model follows its change notifications.
class TCategoryTreeModel : public QAbstractItemModel, private TCategoryTreeObserver {
public:
    // The tree is borrowed and must outlive the model.
    explicit TCategoryTreeModel(TCategoryTree& tree, QObject* parent = nullptr);
    ~TCategoryTreeModel() override;

    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    bool hasChildren(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    static TTreeNode* NodeOf(const QModelIndex& index);
    QModelIndex IndexOf(const TTreeNode* node) const;

private:
    const std::vector<std::unique_ptr<TTreeNode>>& ChildrenOf(const QModelIndex& parent) const;

    void BranchAboutToBeAdded(TTreeNode* parent, int row) override;
    void BranchAdded() override;
    void BranchAboutToBeRemoved(TTreeNode& node) override;
    void BranchRemoved() override;
    void NodeTextChanged(TTreeNode& node) override;

    TCategoryTree& Tree;
};
