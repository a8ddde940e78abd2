#include "app/Form1.h"

#include "app/CategoryTreeModel.h"
#include "app/FeedPreview.h"
#include "model/tree/TreeBinding.h"

#include <QFileInfo>
#include <QLabel>
#include <QStatusBar>
#include <QUndoStack>

#include <filesystem>

namespace {

QString Counted(std::size_t count, const QString& one, const QString& many)
{
    return QString::number(count) + " " + (count == 1 ? one : many);
}

}  // namespace

// Only a file counts: a folder of that name is no tree to load.
bool TForm1::TreeFileExists() const
{
    const auto status = std::filesystem::status(TreeFile);
    return std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

bool TForm1::TreeChanged() const
{
    return !EditStack->isClean();
}

bool TForm1::SaveChangesFirst()
{
    if (!TreeChanged())
        return true;
    switch (FormDialogs->AskToSave(this, QString::fromStdString("Save changes to " + TreeFile + "?"))) {
    case TSaveAnswer::Save: SaveTreeFile(); return !TreeChanged();
    case TSaveAnswer::Discard: return true;
    case TSaveAnswer::Cancel: break;
    }
    return false;
}

// The file may hold a tree that the window never showed (a hand edit with a typing error),
// which the tree shown would replace.
bool TForm1::MayReplaceUnloadedFile()
{
    const QString question =
        QString::fromStdString(TreeFile + " could not be loaded, so the tree shown is not what it holds. Replace " +
                               TreeFile + " with the tree shown?");
    return FormDialogs->Confirm(this, "Confirm", question) == TConfirmAnswer::Yes;
}

// The question and the save run as a command: a save lets the window handle its messages,
// and a failed save keeps the window open with its error shown.
bool TForm1::MayClose()
{
    bool mayClose = false;
    RunCommand([this, &mayClose] { mayClose = SaveChangesFirst(); });
    return mayClose;
}

// The edits of the tree shown go with it: they refer to its nodes. A read error leaves both
// as they were.
void TForm1::LoadTreeFile(const std::string& fileName)
{
    CutNode = nullptr;
    TreeModel->SetCutNode(nullptr);
    ReplaceTree(Tree, fileName, ProcessMessages);
    EditStack->clear();
    TreeEdited();
}

void TForm1::SaveTreeTo(const std::string& fileName)
{
    ShowPleaseWait();
    SaveTree(Tree, fileName, ProcessMessages);
    TreeFile = fileName;
    EditStack->setClean();
    LoadFailed = false;
    StatusBar1->showMessage(
        QString::fromStdString("Saved " + std::to_string(Tree.Count()) + " entries to " + TreeFile));
    ShowTreeLabel();
    HidePleaseWait();
}

// Changes are saved or dropped before the question of which file, as with any document.
void TForm1::OpenTreeFile()
{
    if (!SaveChangesFirst())
        return;
    const QString chosen = FormDialogs->AskOpenFileName(this, "Open tree file", QString::fromStdString(TreeFile));
    if (chosen.isEmpty())
        return;
    ShowPleaseWait();
    LoadTreeFile(chosen.toStdString());
    TreeFile = chosen.toStdString();
    LoadFailed = false;
    StatusBar1->clearMessage();
    ShowTreeLabel();
    HidePleaseWait();
}

void TForm1::SaveTreeAs()
{
    const QString chosen = FormDialogs->AskSaveFileName(this, "Save tree as", QString::fromStdString(TreeFile));
    if (!chosen.isEmpty())
        SaveTreeTo(chosen.toStdString());
}

void TForm1::ShowTreeLabel()
{
    const QString file = QFileInfo(QString::fromStdString(TreeFile)).fileName();
    const QString counts = Counted(Tree.CategoryCount(), "category", "categories") + ", " +
                           Counted(Tree.SymbolicCount(), "symbolic", "symbolic");
    TreeLabel->setText(file + (TreeChanged() ? " (changed)" : "") + " - " + counts);
    TreeLabel->setToolTip(QFileInfo(QString::fromStdString(TreeFile)).absoluteFilePath() +
                          (TreeChanged() ? "\nhas changes that are not saved" : ""));
}

void TForm1::TreeEdited()
{
    if (CutNode && !Tree.Contains(*CutNode)) {
        CutNode = nullptr;
        TreeModel->SetCutNode(nullptr);
    }
    RefreshFind();
    if (FeedPreview)
        FeedPreview->MarkOutdated();
    ShowTreeLabel();
    UpdateActions();
}
