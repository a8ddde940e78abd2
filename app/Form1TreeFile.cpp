#include "app/Form1.h"

#include <filesystem>

// Only a file counts: a folder of that name is no tree to load.
bool TForm1::TreeFileExists() const
{
    const auto status = std::filesystem::status(TreeFile);
    return std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

bool TForm1::SaveChangesFirst()
{
    if (!Changed)
        return true;
    switch (FormDialogs->AskToSave(this, QString::fromStdString("Save changes to " + TreeFile + "?"))) {
    case TSaveAnswer::Save: Button5Click(); return !Changed;
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
