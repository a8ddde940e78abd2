#include "app/Form1.h"

#include "app/CategoryTreeModel.h"
#include "app/TreeEdit.h"
#include "common/core/Text.h"
#include "model/Category.h"
#include "model/tree/AddCommand.h"
#include "model/tree/EntryPaths.h"
#include "model/tree/MoveCommand.h"
#include "model/tree/NewEntryRecords.h"
#include "model/tree/RenameCommand.h"

#include <QTreeView>
#include <QUndoStack>

namespace {

const std::u16string NewCategoryName = u"New category";

bool IsSymbolic(const TTreeNode* node)
{
    return node && dynamic_cast<const TSymbolicCategory*>(node->Data());
}

}  // namespace

// Done first, pushed after: an edit that fails leaves the stack as it was.
void TForm1::PushEdit(std::unique_ptr<TTreeCommand> command)
{
    command->Do();
    EditStack->push(new TTreeEdit(std::move(command)));
}

// A symbolic category stands for a category elsewhere and holds no entries of its own.
TTreeNode* TForm1::ParentForNewEntry() const
{
    TTreeNode* node = SelectedNode();
    return IsSymbolic(node) ? node->Parent() : node;
}

// The new entry's name is typed straight into its row; that rename becomes part of the add.
void TForm1::StartNameEditor(const TTreeNode& node)
{
    SelectNode(&node);
    categories->setFocus();
    categories->edit(TreeModel->IndexOf(&node));
}

void TForm1::AddCategory()
{
    if (Finding())
        CloseFind();
    TTreeNode* parent = ParentForNewEntry();
    auto command = std::make_unique<TAddCommand>(Tree, parent, NewCategoryRecord(Tree, parent, NewCategoryName));
    const TTreeNode& added = command->Node();
    PushEdit(std::move(command));
    StartNameEditor(added);
}

void TForm1::AddSymbolicCategory()
{
    if (Finding())
        CloseFind();
    TTreeNode* parent = ParentForNewEntry();
    const auto* parentCategory = parent ? dynamic_cast<const TCategory*>(parent->Data()) : nullptr;
    if (!parentCategory) {
        FormDialogs->ShowMessage(this, "Select the category under which the symbolic category is to appear.");
        return;
    }
    const std::optional<QString> path = FormDialogs->AskPath(
        this, "Add symbolic category", "Path of the category it shows, for example Arts/Music:", *TreeModel);
    if (!path || path->trimmed().isEmpty())
        return;
    const TTreeNode* target = FindCategoryNodeByPath(Tree, path->trimmed().toStdString());
    if (!target) {
        FormDialogs->ShowMessage(this, "There is no category " + path->trimmed() + ".");
        return;
    }
    auto command = std::make_unique<TAddCommand>(
        Tree, parent, NewSymbolicRecord(dynamic_cast<const TCategory&>(*target->Data()), *parentCategory));
    const TTreeNode& added = command->Node();
    PushEdit(std::move(command));
    StartNameEditor(added);
}

// Commits of the row editor run as commands of their own.
bool TForm1::RenameFromEditor(TTreeNode& node, const QString& name)
{
    bool renamed = false;
    RunCommand([&] {
        if (!node.Data() || !IsNewName(name, QString::fromStdString(Utf16ToUtf8(node.Data()->Name))))
            return;
        PushEdit(std::make_unique<TRenameCommand>(Tree, node, Utf8ToUtf16(name.toStdString())));
        renamed = true;
    });
    return renamed;
}

// The branch stays where it is until it is pasted, as in a file manager.
void TForm1::CutBranch()
{
    CutNode = SelectedNode();
    TreeModel->SetCutNode(CutNode);
    UpdateActions();
}

void TForm1::PasteBranch()
{
    if (CutNode && Tree.Contains(*CutNode))
        MoveBranch(*CutNode, ParentForNewEntry(), std::nullopt);
}

void TForm1::MoveBranch(TTreeNode& node, TTreeNode* parent, std::optional<std::size_t> row)
{
    if (IsSymbolic(parent)) {
        row = static_cast<std::size_t>(parent->Row()) + 1;
        parent = parent->Parent();
    }
    PushEdit(std::make_unique<TMoveCommand>(Tree, node, parent, row));
    if (&node == CutNode) {
        CutNode = nullptr;
        TreeModel->SetCutNode(nullptr);
    }
    SelectNode(&node);
    UpdateActions();
}

void TForm1::UndoEdit()
{
    EditStack->undo();
    ShowAfterUndoOrRedo(true);
}

void TForm1::RedoEdit()
{
    EditStack->redo();
    ShowAfterUndoOrRedo(false);
}

void TForm1::ShowAfterUndoOrRedo(bool undone)
{
    const int index = undone ? EditStack->index() : EditStack->index() - 1;
    if (const auto* edit = dynamic_cast<const TTreeEdit*>(EditStack->command(index)))
        SelectNode(edit->NodeToShow(undone));
}

// What the view's row editor and a drag and drop ask of the tree.
void TForm1::ConnectTreeEditing()
{
    TreeModel->SetRenameRequest([this](TTreeNode& node, const QString& name) { return RenameFromEditor(node, name); });
    TreeModel->SetMoveRequest(
        [this](TTreeNode& node, TTreeNode* parent, std::optional<std::size_t> row) {
            RunCommand([&] { MoveBranch(node, parent, row); });
        },
        [this] { return !Guard->IsBusy(); });
}
