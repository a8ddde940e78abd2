#include "app/CategoryTreeModel.h"

#include "common/core/Text.h"
#include "model/Category.h"
#include "model/tree/EntryPaths.h"
#include "model/tree/MoveCommand.h"

#include <QApplication>
#include <QFont>
#include <QMimeData>
#include <QPalette>

#include <algorithm>

namespace {

const QString BranchMimeType = "application/x-tessaroo-branch";

// What a drag carries: the branch itself, which only this window's tree can take.
class TBranchMimeData : public QMimeData {
public:
    explicit TBranchMimeData(TTreeNode& node) : Node(node) { setData(BranchMimeType, {}); }

    TTreeNode& Node;
};

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

QString Text(const std::u16string& text)
{
    return QString::fromStdU16String(text);
}

bool IsSymbolic(const TTreeNode& node)
{
    return dynamic_cast<const TSymbolicCategory*>(node.Data()) != nullptr;
}

}  // namespace

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

QModelIndex TCategoryTreeModel::TreeIndexOf(const TTreeNode* node) const
{
    return node ? createIndex(node->Row(), 0, node) : QModelIndex();
}

QModelIndex TCategoryTreeModel::IndexOf(const TTreeNode* node) const
{
    if (!node || !Tree.Contains(*node))
        return QModelIndex();
    if (!Found)
        return TreeIndexOf(node);
    const auto& rows = Found->Rows;
    const auto found = std::find_if(rows.begin(), rows.end(), [node](const auto& row) { return row.Node == node; });
    return found == rows.end() ? QModelIndex() : createIndex(static_cast<int>(found - rows.begin()), 0, node);
}

const std::vector<std::unique_ptr<TTreeNode>>& TCategoryTreeModel::ChildrenOf(const QModelIndex& parent) const
{
    const TTreeNode* node = NodeOf(parent);
    return node ? node->Children() : Tree.TopLevelNodes();
}

QModelIndex TCategoryTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    if (Found) {
        if (column != 0 || row < 0 || parent.isValid() || static_cast<std::size_t>(row) >= Found->Rows.size())
            return QModelIndex();
        return createIndex(row, 0, Found->Rows[static_cast<std::size_t>(row)].Node);
    }
    const auto& children = ChildrenOf(parent);
    if (column != 0 || row < 0 || static_cast<std::size_t>(row) >= children.size())
        return QModelIndex();
    return createIndex(row, 0, children[static_cast<std::size_t>(row)].get());
}

QModelIndex TCategoryTreeModel::parent(const QModelIndex& child) const
{
    const TTreeNode* node = NodeOf(child);
    return node && !Found ? TreeIndexOf(node->Parent()) : QModelIndex();
}

int TCategoryTreeModel::rowCount(const QModelIndex& parent) const
{
    if (parent.column() > 0)
        return 0;
    if (Found)
        return parent.isValid() ? 0 : static_cast<int>(Found->Rows.size());
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
    if (!node)
        return QVariant();
    switch (role) {
    case Qt::DisplayRole: return Text(node->Text());
    case Qt::EditRole: return node->Data() ? Text(node->Data()->Name) : Text(node->Text());
    case Qt::ToolTipRole: return ToolTipOf(*node);
    case PathStepRole:
        if (!node->Data() || IsSymbolic(*node))
            return QVariant();
        return Text(EscapePathName(Utf16ToUtf8(node->Data()->Name)));
    case Qt::FontRole: {
        const bool matches = Found && Found->Rows[static_cast<std::size_t>(index.row())].Matches;
        if (!IsSymbolic(*node) && !matches)
            return QVariant();
        QFont font;
        font.setItalic(IsSymbolic(*node));
        font.setBold(matches);
        return font;
    }
    case Qt::ForegroundRole:
        if (node == CutNode || (Found && !Found->Rows[static_cast<std::size_t>(index.row())].Matches))
            return QApplication::palette().brush(QPalette::Disabled, QPalette::Text);
        return QVariant();
    default: return Found ? FoundRowData(index.row(), role) : QVariant();
    }
}

QVariant TCategoryTreeModel::FoundRowData(int row, int role) const
{
    const auto& rows = Found->Rows;
    const auto at = static_cast<std::size_t>(row);
    switch (role) {
    case FoundDepthRole: return rows[at].Depth;
    case FoundParentRole: return at + 1 < rows.size() && rows[at + 1].Depth > rows[at].Depth;
    default: return QVariant();
    }
}

// A symbolic category says what it shows, the way the feed finds it: the first category of
// its Url.
QVariant TCategoryTreeModel::ToolTipOf(const TTreeNode& node) const
{
    const TBaseCategory* record = node.Data();
    if (!record)
        return QVariant();
    const QString path = Text(PathOfNode(node));
    const QString url = "Url " + Text(record->Url);
    if (const auto* category = dynamic_cast<const TCategory*>(record))
        return path + "\nID " + QString::number(category->ID) + "\n" + url;
    const TTreeNode* targetNode = Tree.FindCategoryNodeByUrl(record->Url);
    const QString shows = targetNode ? Text(PathOfNode(*targetNode)) : "no category has this Url";
    return path + "\n\u2192 " + shows + "\n" + url;
}

Qt::ItemFlags TCategoryTreeModel::flags(const QModelIndex& index) const
{
    if (Found)
        return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
    if (!index.isValid())
        return Qt::ItemIsDropEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemIsDragEnabled |
           Qt::ItemIsDropEnabled;
}

bool TCategoryTreeModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    TTreeNode* node = NodeOf(index);
    if (!node || role != Qt::EditRole || !OnRename)
        return false;
    return OnRename(*node, value.toString());
}

Qt::DropActions TCategoryTreeModel::supportedDragActions() const
{
    return Qt::MoveAction;
}

Qt::DropActions TCategoryTreeModel::supportedDropActions() const
{
    return Qt::MoveAction;
}

QStringList TCategoryTreeModel::mimeTypes() const
{
    return {BranchMimeType};
}

QMimeData* TCategoryTreeModel::mimeData(const QModelIndexList& indexes) const
{
    TTreeNode* node = indexes.isEmpty() ? nullptr : NodeOf(indexes.front());
    return node ? new TBranchMimeData(*node) : nullptr;
}

// The branch a drop would move, when it may go there: never into itself, and only while
// no other command runs.
TTreeNode* TCategoryTreeModel::DropTarget(const QMimeData* data, const QModelIndex& parent) const
{
    const auto* branch = dynamic_cast<const TBranchMimeData*>(data);
    if (!branch || Found || !OnMove || (EditAllowed && !EditAllowed()) || !Tree.Contains(branch->Node))
        return nullptr;
    return IsInBranch(NodeOf(parent), branch->Node) ? nullptr : &branch->Node;
}

bool TCategoryTreeModel::canDropMimeData(const QMimeData* data, Qt::DropAction action, int, int,
                                         const QModelIndex& parent) const
{
    return action == Qt::MoveAction && DropTarget(data, parent);
}

bool TCategoryTreeModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int,
                                      const QModelIndex& parent)
{
    TTreeNode* branch = action == Qt::MoveAction ? DropTarget(data, parent) : nullptr;
    if (!branch)
        return false;
    OnMove(*branch, NodeOf(parent), row < 0 ? std::nullopt : std::optional<std::size_t>(row));
    return true;
}

void TCategoryTreeModel::SetMoveRequest(TMoveRequest request, TEditAllowed allowed)
{
    OnMove = std::move(request);
    EditAllowed = std::move(allowed);
}

void TCategoryTreeModel::SetCutNode(const TTreeNode* node)
{
    const TTreeNode* previous = CutNode;
    CutNode = node;
    for (const TTreeNode* changed : {previous, node}) {
        const QModelIndex index = IndexOf(changed);
        if (index.isValid())
            emit dataChanged(index, index, {Qt::ForegroundRole});
    }
}

void TCategoryTreeModel::ShowFound(TFoundEntries found)
{
    beginResetModel();
    Found = std::move(found);
    endResetModel();
}

void TCategoryTreeModel::ShowTree()
{
    beginResetModel();
    Found.reset();
    endResetModel();
}

// A change of the tree while a find is shown empties the list: its rows may be gone. The
// window finds again when the change is complete.
void TCategoryTreeModel::FoundRowsAboutToGo()
{
    beginResetModel();
    Found->Rows.clear();
    Found->MatchRows.clear();
}

void TCategoryTreeModel::BranchAboutToBeAdded(TTreeNode* parent, int row)
{
    if (Found)
        FoundRowsAboutToGo();
    else
        beginInsertRows(TreeIndexOf(parent), row, row);
}

void TCategoryTreeModel::BranchAdded()
{
    if (Found)
        endResetModel();
    else
        endInsertRows();
}

void TCategoryTreeModel::BranchAboutToBeRemoved(TTreeNode& node)
{
    if (Found)
        FoundRowsAboutToGo();
    else
        beginRemoveRows(TreeIndexOf(node.Parent()), node.Row(), node.Row());
}

void TCategoryTreeModel::BranchRemoved()
{
    if (Found)
        endResetModel();
    else
        endRemoveRows();
}

void TCategoryTreeModel::NodeTextChanged(TTreeNode& node)
{
    const QModelIndex index = IndexOf(&node);
    if (index.isValid())
        emit dataChanged(index, index, {Qt::DisplayRole});
}
