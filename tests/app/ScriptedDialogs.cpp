#include "ScriptedDialogs.h"

#include <gtest/gtest.h>

void TScriptedDialogs::WhileAsking()
{
    if (Script.WhileAsking)
        Script.WhileAsking();
}

TConfirmAnswer TScriptedDialogs::Confirm(QWidget*, const QString& title, const QString& question)
{
    Script.Asked << "confirm " + title + "|" + question;
    WhileAsking();
    if (Script.ConfirmAnswers.empty()) {
        ADD_FAILURE() << "unexpected confirmation: " << question.toStdString();
        return TConfirmAnswer::Cancel;
    }
    const TConfirmAnswer answer = Script.ConfirmAnswers.front();
    Script.ConfirmAnswers.pop_front();
    return answer;
}

TSaveAnswer TScriptedDialogs::AskToSave(QWidget*, const QString& question)
{
    Script.Asked << "save? " + question;
    WhileAsking();
    if (Script.SaveAnswers.empty()) {
        ADD_FAILURE() << "unexpected question: " << question.toStdString();
        return TSaveAnswer::Cancel;
    }
    const TSaveAnswer answer = Script.SaveAnswers.front();
    Script.SaveAnswers.pop_front();
    return answer;
}

QString TScriptedDialogs::InputBox(QWidget*, const QString& caption, const QString& prompt, const QString& initial)
{
    Script.Asked << "input " + caption + "|" + prompt + "|" + initial;
    WhileAsking();
    if (Script.InputAnswers.empty()) {
        ADD_FAILURE() << "unexpected input dialog: " << caption.toStdString();
        return initial;
    }
    const bool accepted = Script.InputAnswers.front().has_value();
    const QString text = accepted ? *Script.InputAnswers.front() : initial;
    Script.InputAnswers.pop_front();
    return text;
}

void TScriptedDialogs::ShowMessage(QWidget*, const QString& text)
{
    Script.Messages << text;
}

void TScriptedDialogs::ShowError(QWidget*, const QString& message)
{
    Script.Errors << message;
}
