#pragma once

#include "app/Dialogs.h"

#include <QStringList>

#include <deque>
#include <functional>
#include <optional>
#include <ostream>

// Test output shows texts as texts.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

// Dialogs that answer from a script and remember what they were asked.
class TScriptedDialogs : public TDialogs {
public:
    struct TScript {
        std::deque<TConfirmAnswer> ConfirmAnswers;
        std::deque<TSaveAnswer> SaveAnswers;
        // OK with this text, or Cancel when empty.
        std::deque<std::optional<QString>> InputAnswers;
        // The file chosen, or an empty text for Cancel.
        std::deque<QString> FileAnswers;
        // Runs inside every dialog, while the command that asks waits for the answer.
        std::function<void()> WhileAsking;

        // "confirm <title>|<question>", "save? <question>", "input <caption>|<prompt>|<initial>",
        // "open <caption>|<current>", "save as <caption>|<current>"
        QStringList Asked;
        QStringList Errors;  // messages of the error display
        QStringList Messages;
    };

    // The script is borrowed: the test keeps it and reads it after the window is gone.
    explicit TScriptedDialogs(TScript& script) : Script(script) {}

    TConfirmAnswer Confirm(QWidget* parent, const QString& title, const QString& question) override;
    TSaveAnswer AskToSave(QWidget* parent, const QString& question) override;
    QString InputBox(QWidget* parent, const QString& caption, const QString& prompt, const QString& initial) override;
    void ShowMessage(QWidget* parent, const QString& text) override;
    void ShowError(QWidget* parent, const QString& message) override;
    QString AskOpenFileName(QWidget* parent, const QString& caption, const QString& current) override;
    QString AskSaveFileName(QWidget* parent, const QString& caption, const QString& current) override;

private:
    void WhileAsking();
    QString NextFile(const QString& question);

    TScript& Script;
};
