#pragma once

#include <QString>

#include <optional>

class QAbstractItemModel;
class QWidget;

enum class TConfirmAnswer { Yes, No, Cancel };
enum class TSaveAnswer { Save, Discard, Cancel };

// The dialogs the window asks with. The program uses the toolkit's (TQtDialogs); tests put
// in scripted answers.
class TDialogs {
public:
    virtual ~TDialogs() = default;
    // Yes/No/Cancel question with a question icon.
    virtual TConfirmAnswer Confirm(QWidget* parent, const QString& title, const QString& question) = 0;
    // Save/Discard/Cancel question about changes that would be lost, with the application's title.
    virtual TSaveAnswer AskToSave(QWidget* parent, const QString& question) = 0;
    // Yes/No question with a question icon; true for Yes. Dialogs without a Yes/No box of
    // their own ask with Confirm, and then only Yes counts as Yes.
    virtual bool AskYesNo(QWidget* parent, const QString& title, const QString& question)
    {
        return Confirm(parent, title, question) == TConfirmAnswer::Yes;
    }
    // Text input with OK and Cancel: OK gives the edited text, Cancel the initial text.
    virtual QString InputBox(QWidget* parent, const QString& caption, const QString& prompt,
                             const QString& initial) = 0;
    // A plain message box with the application's title.
    virtual void ShowMessage(QWidget* parent, const QString& text) = 0;
    // The display of an error that escaped a command: its message, with the application's title.
    virtual void ShowError(QWidget* parent, const QString& message) = 0;
    // The path of a category ("Arts/Music"), typed with completion from the tree's model;
    // none when cancelled. Dialogs without completion ask with InputBox.
    virtual std::optional<QString> AskPath(QWidget* parent, const QString& caption, const QString& prompt,
                                           QAbstractItemModel& /*tree*/)
    {
        const QString path = InputBox(parent, caption, prompt, QString());
        return path.isEmpty() ? std::nullopt : std::optional<QString>(path);
    }
    // A tree file to open or to save to, starting from `current`; empty when cancelled.
    // Dialogs without a file chooser cancel.
    virtual QString AskOpenFileName(QWidget*, const QString&, const QString&) { return {}; }
    virtual QString AskSaveFileName(QWidget*, const QString&, const QString&) { return {}; }
};

class TQtDialogs : public TDialogs {
public:
    TConfirmAnswer Confirm(QWidget* parent, const QString& title, const QString& question) override;
    TSaveAnswer AskToSave(QWidget* parent, const QString& question) override;
    bool AskYesNo(QWidget* parent, const QString& title, const QString& question) override;
    QString InputBox(QWidget* parent, const QString& caption, const QString& prompt, const QString& initial) override;
    void ShowMessage(QWidget* parent, const QString& text) override;
    void ShowError(QWidget* parent, const QString& message) override;
    std::optional<QString> AskPath(QWidget* parent, const QString& caption, const QString& prompt,
                                   QAbstractItemModel& tree) override;
    QString AskOpenFileName(QWidget* parent, const QString& caption, const QString& current) override;
    QString AskSaveFileName(QWidget* parent, const QString& caption, const QString& current) override;
};
