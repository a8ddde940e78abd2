#include "app/Form1.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QTreeView>
#include <QUndoStack>

namespace {

// The desktop's keys for a standard command, after the ones this window names first (the
// menu shows the first).
QList<QKeySequence> KeysOf(QKeySequence::StandardKey command, QList<QKeySequence> first = {})
{
    for (const QKeySequence& key : QKeySequence::keyBindings(command))
        if (!first.contains(key))
            first.append(key);
    return first;
}

QList<QKeySequence> Without(QList<QKeySequence> keys, const QKeySequence& taken)
{
    keys.removeAll(taken);
    return keys;
}

const QKeySequence AddSymbolicKey(Qt::SHIFT | Qt::Key_Insert);

}  // namespace

// A key of the tree belongs to the tree (in a field, Delete or Insert edit the text); a key
// of the window works from anywhere in it. Every command but the finds runs as a command.
QAction* TForm1::NewAction(const char* name, const QString& text, const QList<QKeySequence>& keys, QWidget* keysOwner,
                           std::function<void()> command)
{
    auto* action = new QAction(text, this);
    action->setObjectName(name);
    action->setShortcuts(keys);
    action->setShortcutContext(keysOwner == categories ? Qt::WidgetShortcut : Qt::WindowShortcut);
    keysOwner->addAction(action);
    connect(action, &QAction::triggered, this, [command = std::move(command)] { command(); });
    return action;
}

void TForm1::CreateActions()
{
    const auto asCommand = [this](void (TForm1::*command)()) {
        return [this, command] { RunCommand([this, command] { (this->*command)(); }); };
    };
    AddAction = NewAction("AddAction", "Add category", {Qt::Key_Insert}, categories, asCommand(&TForm1::AddCategory));
    AddSymbolicAction = NewAction("AddSymbolicAction", "Add symbolic category...", {AddSymbolicKey}, categories,
                                  asCommand(&TForm1::AddSymbolicCategory));
    RenameAction =
        NewAction("RenameAction", Button4->text(), {Qt::Key_F2}, categories, asCommand(&TForm1::RenameSelected));
    DeleteAction = NewAction("DeleteAction", Button3->text(), KeysOf(QKeySequence::Delete), categories,
                             asCommand(&TForm1::DeleteSelected));
    CutAction = NewAction("CutAction", "Cut", KeysOf(QKeySequence::Cut), categories, [this] { CutBranch(); });
    // Shift+Insert adds a symbolic category here.
    PasteAction = NewAction("PasteAction", "Paste", Without(KeysOf(QKeySequence::Paste), AddSymbolicKey), categories,
                            asCommand(&TForm1::PasteBranch));
    UndoAction = NewAction("UndoAction", "Undo", KeysOf(QKeySequence::Undo), this, asCommand(&TForm1::UndoEdit));
    RedoAction =
        NewAction("RedoAction", "Redo", KeysOf(QKeySequence::Redo, {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}),
                  this, asCommand(&TForm1::RedoEdit));
    FindAction = NewAction("FindAction", "Find...", KeysOf(QKeySequence::Find), this, [this] { OpenFind(); });
    FindNextAction =
        NewAction("FindNextAction", "Find next", KeysOf(QKeySequence::FindNext), this, [this] { FindNext(); });
    FindPreviousAction = NewAction("FindPreviousAction", "Find previous", KeysOf(QKeySequence::FindPrevious), this,
                                   [this] { FindNext(true); });
    OpenAction = NewAction("OpenAction", "Open...", KeysOf(QKeySequence::Open), this, asCommand(&TForm1::OpenTreeFile));
    SaveAsAction = NewAction("SaveAsAction", "Save As...",
                             KeysOf(QKeySequence::SaveAs, {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)}), this,
                             asCommand(&TForm1::SaveTreeAs));
    ReloadAction =
        NewAction("ReloadAction", Button2->text(), KeysOf(QKeySequence::Refresh, {QKeySequence(Qt::CTRL | Qt::Key_R)}),
                  this, asCommand(&TForm1::ReloadTree));
    SaveAction =
        NewAction("SaveAction", Button5->text(), KeysOf(QKeySequence::Save), this, asCommand(&TForm1::SaveTreeFile));
    PreviewAction = NewAction("PreviewAction", "Preview feed", {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P)}, this,
                              asCommand(&TForm1::PreviewFeed));

    connect(Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm1::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm1::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TForm1::Button4Click);
    connect(Button5, &QPushButton::clicked, this, &TForm1::Button5Click);

    TreeMenu = new QMenu(categories);
    TreeMenu->setObjectName("TreeMenu");
    for (QAction* action :
         std::initializer_list<QAction*>{AddAction, AddSymbolicAction, RenameAction, DeleteAction, nullptr, CutAction,
                                         PasteAction, nullptr, UndoAction, RedoAction, nullptr, FindAction, nullptr,
                                         OpenAction, ReloadAction, SaveAction, SaveAsAction, nullptr, PreviewAction}) {
        if (action)
            TreeMenu->addAction(action);
        else
            TreeMenu->addSeparator();
    }
    categories->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(categories, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { TreeMenu->popup(categories->viewport()->mapToGlobal(at)); });

    connect(EditStack.get(), &QUndoStack::indexChanged, this, [this] { TreeEdited(); });
    connect(EditStack.get(), &QUndoStack::cleanChanged, this, [this] { ShowTreeLabel(); });
    UpdateActions();
}

// The four tree commands of the buttons are actions, shared with their keys and the tree's
// menu: a click triggers the action, which runs the command.
void TForm1::Button2Click()
{
    ReloadAction->trigger();
}

void TForm1::Button3Click()
{
    DeleteAction->trigger();
}

void TForm1::Button4Click()
{
    RenameAction->trigger();
}

void TForm1::Button5Click()
{
    SaveAction->trigger();
}

// While a command runs, none other may start; what the tree offers decides the rest.
void TForm1::UpdateActions()
{
    const bool idle = !Guard->IsBusy();
    for (QAction* action : {AddAction, AddSymbolicAction, RenameAction, DeleteAction, OpenAction, SaveAsAction,
                            ReloadAction, SaveAction, PreviewAction})
        action->setEnabled(idle);
    PasteAction->setEnabled(idle && CutNode);
    UndoAction->setEnabled(idle && EditStack->canUndo());
    UndoAction->setText(EditStack->canUndo() ? "Undo " + EditStack->undoText() : "Undo");
    RedoAction->setEnabled(idle && EditStack->canRedo());
    RedoAction->setText(EditStack->canRedo() ? "Redo " + EditStack->redoText() : "Redo");
    FindNextAction->setEnabled(Finding());
    FindPreviousAction->setEnabled(Finding());
}
