#pragma once

#include "app/AnchorLayout.h"
#include "app/CommandGuard.h"
#include "app/Dialogs.h"
#include "common/core/ProcessMessages.h"
#include "common/core/StopRequest.h"
#include "http/CookieManager.h"
#include "http/HTTPClient.h"
#include "model/tree/CategoryTree.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <string>

class QLabel;
class QModelIndex;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QStatusBar;
class QTreeView;
class TCategoryTreeModel;
class TDmoz;

// The program's one window: the category tree, the connection fields, the commands, the
// message pane and the status bar. A feed run sees it through TWindowFeedView.
class TForm1 : public QWidget {
public:
    // FormCreate runs here, before the window is first shown. The window loads, reloads and
    // saves the tree file named.
    explicit TForm1(std::unique_ptr<TDialogs> dialogs = std::make_unique<TQtDialogs>(),
                    std::string treeFileName = "tree.xml", QWidget* parent = nullptr);
    ~TForm1() override;

    // The controls; the window owns them.
    QLabel* Label4 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QPushButton* Button1 = nullptr;
    QLabel* Label3 = nullptr;
    QPushButton* Button4 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button5 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QTreeView* categories = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    // In the status bar, shown only while a feed runs: its progress and its Stop button.
    QProgressBar* ProgressBar1 = nullptr;
    QPushButton* Button6 = nullptr;

    void FormCreate();
    void FormDestroy();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    // Stop (also Escape): ends a running feed at its next safe point.
    void Button6Click();
    void categoriesDeletion(TTreeNode& Node);

    // Runs a command unless another one runs: the commands are disabled meanwhile, an error
    // that escapes the command is shown in a message box, and a close asked for meanwhile
    // happens after it.
    void RunCommand(const std::function<void()>& command);
    bool CommandRunning() const { return Guard->IsBusy(); }
    bool FeedRunning() const { return FeedUnderWay; }

    TDmoz& Document() const { return *Dmoz; }
    TCategoryTree& CategoryTree() { return Tree; }
    TDialogs& Dialogs() const { return *FormDialogs; }
    const ProcessMessages& WindowMessages() const { return ProcessWindowMessages; }
    // The selected node, only while its row can be seen (no collapsed branch hides it).
    TTreeNode* SelectedNode() const;

    const std::string& TreeFileName() const { return TreeFile; }
    // The tree differs from what its file holds (a delete or a rename since the last load
    // or save).
    bool TreeChanged() const { return Changed; }

    void ShowPleaseWait();
    void HidePleaseWait();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CreateControls();
    void SetTabOrder();
    void ConnectCommands();
    void AppendVersionToCaption();
    void CreateFeedControls();
    void ShowFeedControls(std::size_t entries);
    void HideFeedControls();
    // Asked when the window is to close during a feed: false when the user lets the feed go on.
    bool StopFeedingForClose();

    // The tree commands' keys, and what keeps the selection in sight (Form1Keys.cpp).
    void CreateShortcuts();
    void categoriesCollapsed(const QModelIndex& collapsed);
    bool IsLoginField(const QWidget* widget) const;

    // The tree file (Form1TreeFile.cpp).
    bool TreeFileExists() const;
    // Before the tree is replaced or the window closes: true when that may happen, the
    // changes saved or discarded as the user answered.
    bool SaveChangesFirst();
    // Before a save over a file that could not be loaded: true when the user agrees.
    bool MayReplaceUnloadedFile();
    bool MayClose();

    // Fields and window geometry remembered between starts; never the password
    // (Form1Settings.cpp).
    void RestoreSettings();
    void SaveSettings() const;

    // The client of every feed run, with the store that keeps the site's session cookie
    // from run to run.
    TCookieManager CookieManager1;
    THTTPClient HTTPClient1;

    std::unique_ptr<TDialogs> FormDialogs;
    TCategoryTree Tree;
    std::unique_ptr<TCategoryTreeModel> TreeModel;
    std::unique_ptr<TDmoz> Dmoz;
    std::unique_ptr<TCommandGuard> Guard;
    std::string TreeFile;
    bool Changed = false;
    // The last load of the tree file failed, so the window does not show what the file holds.
    bool LoadFailed = false;
    TAnchorLayout Layout;
    ProcessMessages ProcessWindowMessages;
    // Every feed of the window ends through this one request: Stop, Escape, a close.
    TStopRequest FeedStop;
    bool FeedUnderWay = false;
};
