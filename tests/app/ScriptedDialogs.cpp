#include "ScriptedDialogs.h"

#include <gtest/gtest.h>

void TScriptedDialogs::WhileAsking()
{
    if (Script.WhileAsking)
        Script.WhileAsking();
}

namespace {

// The next scripted answer; an unexpected question fails the test and is cancelled.
template <class TAnswer>
TAnswer NextAnswer(std::deque<TAnswer>& answers, const QString& question)
{
    if (answers.empty()) {
        ADD_FAILURE() << "unexpected question: " << question.toStdString();
        return TAnswer::Cancel;
    }
    const TAnswer answer = answers.front();
    answers.pop_front();
    return answer;
}

}  // namespace

TConfirmAnswer TScriptedDialogs::Confirm(QWidget*, const QString& title, const QString& question)
{
    Script.Asked << "confirm " + title + "|" + question;
    WhileAsking();
    return NextAnswer(Script.ConfirmAnswers, question);
}

TSaveAnswer TScriptedDialogs::AskToSave(QWidget*, const QString& question)
{
    Script.Asked << "save? " + question;
    WhileAsking();
    return NextAnswer(Script.SaveAnswers, question);
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

QString TScriptedDialogs::NextFile(const QString& question)
{
    Script.Asked << question;
    WhileAsking();
    if (Script.FileAnswers.empty()) {
        ADD_FAILURE() << "unexpected file dialog: " << question.toStdString();
        return {};
    }
    const QString file = Script.FileAnswers.front();
    Script.FileAnswers.pop_front();
    return file;
}

QString TScriptedDialogs::AskOpenFileName(QWidget*, const QString& caption, const QString& current)
{
    return NextFile("open " + caption + "|" + current);
}

QString TScriptedDialogs::AskSaveFileName(QWidget*, const QString& caption, const QString& current)
{
    return NextFile("save as " + caption + "|" + current);
}
