#pragma once

#include "model/tree/CategoryTree.h"
#include "model/tree/TreeSearch.h"

#include <QAbstractItemModel>

#include <functional>
#include <optional>

// Shows a TCategoryTree in a Qt item view: one column, the node texts. The tree stays the
// only store; the model follows its change notifications.
//
// While a find is shown, the model is a flat list of what the find gives (the matches and
// their ancestors, in tree order), answered from the find's rows: the view lays out only
// those rows, and the tree's branches need not be opened one by one.
class TCategoryTreeModel : public QAbstractItemModel, private TCategoryTreeObserver {
public:
    enum TRole {
        // The depth of a found row in the tree (0 at the top level); none in the tree itself.
        FoundDepthRole = Qt::UserRole + 1,
        // True for a found row whose next row lies below it.
        FoundParentRole,
        // A category's name as one step of a path ("\" and "/" escaped), none for a symbolic one.
        PathStepRole,
    };

    // A new name typed into the view's editor for the node; true when it was taken.
    using TRenameRequest = std::function<bool(TTreeNode&, const QString&)>;
    // A branch dropped under `parent` (top level when null), at `row` or last.
    using TMoveRequest = std::function<void(TTreeNode&, TTreeNode*, std::optional<std::size_t>)>;
    // Whether a drop may start an edit now.
    using TEditAllowed = std::function<bool()>;

    // The tree is borrowed and must outlive the model.
    explicit TCategoryTreeModel(TCategoryTree& tree, QObject* parent = nullptr);
    ~TCategoryTreeModel() override;

    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    bool hasChildren(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    Qt::DropActions supportedDragActions() const override;
    Qt::DropActions supportedDropActions() const override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                         const QModelIndex& parent) const override;
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                      const QModelIndex& parent) override;

    static TTreeNode* NodeOf(const QModelIndex& index);
    // The node's row where the view shows it; none while a find does not show it.
    QModelIndex IndexOf(const TTreeNode* node) const;

    void SetRenameRequest(TRenameRequest request) { OnRename = std::move(request); }
    void SetMoveRequest(TMoveRequest request, TEditAllowed allowed);
    // Shown greyed: the branch that a paste would move.
    void SetCutNode(const TTreeNode* node);

    // The view shows what the find gives instead of the tree, until ShowTree.
    void ShowFound(TFoundEntries found);
    void ShowTree();
    bool ShowsFound() const { return Found.has_value(); }
    const TFoundEntries* FoundEntries() const { return Found ? &*Found : nullptr; }

private:
    const std::vector<std::unique_ptr<TTreeNode>>& ChildrenOf(const QModelIndex& parent) const;
    QModelIndex TreeIndexOf(const TTreeNode* node) const;
    QVariant FoundRowData(int row, int role) const;
    QVariant ToolTipOf(const TTreeNode& node) const;
    TTreeNode* DropTarget(const QMimeData* data, const QModelIndex& parent) const;

    void BranchAboutToBeAdded(TTreeNode* parent, int row) override;
    void BranchAdded() override;
    void BranchAboutToBeRemoved(TTreeNode& node) override;
    void BranchRemoved() override;
    void NodeTextChanged(TTreeNode& node) override;
    void FoundRowsAboutToGo();

    TCategoryTree& Tree;
    std::optional<TFoundEntries> Found;
    const TTreeNode* CutNode = nullptr;
    TRenameRequest OnRename;
    TMoveRequest OnMove;
    TEditAllowed EditAllowed;
};
