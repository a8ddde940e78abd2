#include "app/Dialogs.h"

#include "app/ApplicationTitle.h"
#include "app/PathCompleter.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

namespace {

const QString TreeFileFilter = "Tree files (*.xml);;All files (*)";

QString ApplicationTitle()
{
    return QString::fromStdString(ApplicationTitleOf(QCoreApplication::applicationFilePath().toStdString()));
}

}  // namespace

TConfirmAnswer TQtDialogs::Confirm(QWidget* parent, const QString& title, const QString& question)
{
    const auto answer = QMessageBox::question(
        parent, title, question, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (answer == QMessageBox::Yes)
        return TConfirmAnswer::Yes;
    return answer == QMessageBox::No ? TConfirmAnswer::No : TConfirmAnswer::Cancel;
}

TSaveAnswer TQtDialogs::AskToSave(QWidget* parent, const QString& question)
{
    const auto answer =
        QMessageBox::warning(parent, ApplicationTitle(), question,
                             QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    if (answer == QMessageBox::Save)
        return TSaveAnswer::Save;
    return answer == QMessageBox::Discard ? TSaveAnswer::Discard : TSaveAnswer::Cancel;
}

bool TQtDialogs::AskYesNo(QWidget* parent, const QString& title, const QString& question)
{
    return QMessageBox::question(parent, title, question, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) ==
           QMessageBox::Yes;
}

QString TQtDialogs::InputBox(QWidget* parent, const QString& caption, const QString& prompt, const QString& initial)
{
    bool accepted = false;
    const QString text = QInputDialog::getText(parent, caption, prompt, QLineEdit::Normal, initial, &accepted);
    return accepted ? text : initial;
}

void TQtDialogs::ShowMessage(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, ApplicationTitle(), text, QMessageBox::Ok, parent);
    box.exec();
}

void TQtDialogs::ShowError(QWidget* parent, const QString& message)
{
    QMessageBox box(QMessageBox::Critical, ApplicationTitle(), message, QMessageBox::Ok, parent);
    box.exec();
}

std::optional<QString> TQtDialogs::AskPath(QWidget* parent, const QString& caption, const QString& prompt,
                                           QAbstractItemModel& tree)
{
    QInputDialog dialog(parent);
    dialog.setWindowTitle(caption);
    dialog.setLabelText(prompt);
    dialog.setInputMode(QInputDialog::TextInput);
    TPathCompleter completer(tree);
    if (auto* field = dialog.findChild<QLineEdit*>())
        field->setCompleter(&completer);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

QString TQtDialogs::AskOpenFileName(QWidget* parent, const QString& caption, const QString& current)
{
    return QFileDialog::getOpenFileName(parent, caption, current, TreeFileFilter);
}

QString TQtDialogs::AskSaveFileName(QWidget* parent, const QString& caption, const QString& current)
{
    return QFileDialog::getSaveFileName(parent, caption, current, TreeFileFilter);
}
