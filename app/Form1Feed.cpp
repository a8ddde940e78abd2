#include "app/Form1.h"

#include "feed/FeedRun.h"
#include "feed/FindParentCategory.h"
#include "feed/HTTPClientTransport.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStatusBar>

void TForm1::Button1Click()
{
    THTTPClientTransport transport(HTTPClient1);
    TFeedRun run(*this, transport, *Dmoz, [this](std::int32_t id) { return FindParentCategory(Tree, id); });
    run.Execute();
}

std::string TForm1::DomainText() const
{
    return Edit3->text().toStdString();
}

std::string TForm1::UsernameText() const
{
    return Edit1->text().toStdString();
}

std::string TForm1::PasswordText() const
{
    return Edit2->text().toStdString();
}

void TForm1::AppendMessageLine(const std::string& line)
{
    Memo1->appendPlainText(QString::fromStdString(line));
}

void TForm1::SetStatusText(const std::string& text)
{
    StatusBar1->showMessage(QString::fromStdString(text));
}

void TForm1::SetWaitLabelVisible(bool visible)
{
    if (visible)
        ShowPleaseWait();
    else
        HidePleaseWait();
}

void TForm1::ShowMessageBox(const std::string& message)
{
    FormDialogs->ShowMessage(this, QString::fromStdString(message));
}

// Unthrottled, unlike the hook of the long tree operations: the feed calls it once per
// category, and a line written just before a pause must show before the pause.
void TForm1::ProcessMessagesNow()
{
    QCoreApplication::processEvents();
}
