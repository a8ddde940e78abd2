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

    // The controls, in the right-hand column from the top, then the tree, the message pane
    // and the status bar; the window owns them.
    QLabel* Label4 = nullptr;              // "Domain:", the caption of Edit3
    QLineEdit* Edit3 = nullptr;            // the site's host (and port; https:// in front for TLS)
    QLabel* Label1 = nullptr;              // "Username:", the caption of Edit1
    QLineEdit* Edit1 = nullptr;            // the site administrator's user name
    QLabel* Label2 = nullptr;              // "Password:", the caption of Edit2
    QLineEdit* Edit2 = nullptr;            // the password, every character shown as "*"
    QPushButton* Button1 = nullptr;        // "Login && Feed": feeds the tree into the site; Enter in a field
    QLabel* Label3 = nullptr;              // the red "Please wait..." while a command works
    QPushButton* Button4 = nullptr;        // "Rename selected": the selected entry's name
    QPushButton* Button3 = nullptr;        // "Delete selected": the selected entry with its branch
    QPushButton* Button2 = nullptr;        // "Reload tree": the tree file in place of the tree shown
    QPushButton* Button5 = nullptr;        // "Save tree": the tree shown into the tree file
    QPlainTextEdit* Memo1 = nullptr;       // the feed's messages, read-only, never cleared
    QTreeView* categories = nullptr;       // shows Tree, the categories, through TreeModel
    QStatusBar* StatusBar1 = nullptr;      // the last command's or feed's status text
    QProgressBar* ProgressBar1 = nullptr;  // in the status bar while a feed runs: how far it is
    QPushButton* Button6 = nullptr;        // in the status bar while a feed runs: "Stop" (or Escape)

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
