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
#include <optional>
#include <string>

class QAction;
class QLabel;
class QMenu;
class QModelIndex;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QStatusBar;
class QStyledItemDelegate;
class QTreeView;
class QUndoStack;
class TCategoryTreeModel;
class TFeedPreview;
class TFeedRun;
class TFeedView;
struct TFeedLogin;
class TFindField;
class TPageTransport;
class TTreeCommand;
class TTreeSearch;

// The program's one window: the category tree, the connection fields, the commands, the
// message pane and the status bar. A feed run sees it through TWindowFeedView.
class TForm1 : public QWidget {
public:
    // FormCreate runs here, before the window is first shown. The window loads, reloads and
    // saves the tree file named.
    explicit TForm1(std::unique_ptr<TDialogs> dialogs = std::make_unique<TQtDialogs>(),
                    std::string treeFileName = "tree.xml", QWidget* parent = nullptr);
    ~TForm1() override;

private:
    // The feed's view of the window: its fields, message pane, status bar and progress bar.
    friend class TWindowFeedView;

    // The controls, in the right-hand column from the top, then the tree, the message pane
    // and the status bar; the window owns them. Code outside the window finds them by their
    // object names, which are the names they are declared with here.
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
    QLabel* TreeLabel = nullptr;           // at the status bar's right end: the file, unsaved changes, counts
    QWidget* FindBar = nullptr;            // above the tree while finding: FindField and FindCount
    TFindField* FindField = nullptr;       // the text to find, with a clear button
    QLabel* FindCount = nullptr;           // how many entries match, and which one is selected

    // The commands as actions, each shared by its button, its keys and the tree's context
    // menu (Form1Actions.cpp); their object names are their names here too.
    QAction* AddAction = nullptr;           // "Add category" (Insert)
    QAction* AddSymbolicAction = nullptr;   // "Add symbolic category..." (Shift+Insert)
    QAction* RenameAction = nullptr;        // Button4 (F2)
    QAction* DeleteAction = nullptr;        // Button3 (Delete)
    QAction* CutAction = nullptr;           // "Cut" (Ctrl+X): the branch a paste moves
    QAction* PasteAction = nullptr;         // "Paste" (Ctrl+V): moves the cut branch under the selection
    QAction* UndoAction = nullptr;          // Ctrl+Z
    QAction* RedoAction = nullptr;          // Ctrl+Shift+Z
    QAction* FindAction = nullptr;          // Ctrl+F
    QAction* FindNextAction = nullptr;      // F3 (Enter in the find field)
    QAction* FindPreviousAction = nullptr;  // Shift+F3
    QAction* OpenAction = nullptr;          // "Open..." (Ctrl+O)
    QAction* SaveAsAction = nullptr;        // "Save As..." (Ctrl+Shift+S)
    QAction* ReloadAction = nullptr;        // Button2 (Ctrl+R)
    QAction* SaveAction = nullptr;          // Button5 (Ctrl+S)
    QAction* PreviewAction = nullptr;       // "Preview feed" (Ctrl+Shift+P)
    QMenu* TreeMenu = nullptr;              // the tree's context menu

    // The handlers of the window's events and controls; nothing but their signals calls them,
    // and each one runs the command of its role.
    void FormCreate();
    void FormDestroy();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void Button6Click();
    void categoriesDeletion(TTreeNode& Node);

    // What the buttons do. The feed and the tree's commands run inside RunCommand, which their
    // callers wrap them in.
    void LoginAndFeed();
    void ReloadTree();
    void DeleteSelected();
    void RenameSelected();
    void SaveTreeFile();
    // Stop, also Escape: ends a running feed at its next safe point.
    void StopFeed();

    // The tree editor's commands (Form1Edit.cpp), run by their actions; each one can be undone.
    void AddCategory();
    void AddSymbolicCategory();
    void CutBranch();
    void PasteBranch();
    void MoveBranch(TTreeNode& node, TTreeNode* parent, std::optional<std::size_t> row);
    void UndoEdit();
    void RedoEdit();
    // Any tree file (Form1TreeFile.cpp).
    void OpenTreeFile();
    void SaveTreeAs();
    // A dry run of the feed, listed in the preview window (Form1Preview.cpp).
    void PreviewFeed();

public:
    // Finding (Form1Find.cpp): the tree shows only the entries whose name holds the text,
    // with their ancestors, while the find field is open.
    void OpenFind();
    void CloseFind();

    // Selects the entry in the tree, its branch opened, and scrolls it into view.
    void SelectNode(const TTreeNode* node);

    // Runs a command unless another one runs: the commands are disabled meanwhile, an error
    // that escapes the command is shown in a message box, and a close asked for meanwhile
    // happens after it.
    void RunCommand(const std::function<void()>& command);
    bool CommandRunning() const { return Guard->IsBusy(); }

    TCategoryTree& CategoryTree() { return Tree; }
    TDialogs& Dialogs() const { return *FormDialogs; }
    // The selected node, only while its row can be seen (no collapsed branch hides it).
    TTreeNode* SelectedNode() const;

    const std::string& TreeFileName() const { return TreeFile; }
    // The tree differs from what its file holds (an edit since the last load or save that
    // was not undone).
    bool TreeChanged() const;
    QUndoStack& Edits() const { return *EditStack; }

    void ShowPleaseWait();
    void HidePleaseWait();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CreateControls();
    void SetTabOrder();
    void AppendVersionToCaption();
    void CreateFeedControls();
    void ShowFeedControls(std::size_t entries);
    void HideFeedControls();
    // Asked when the window is to close during a feed: false when the user lets the feed go on.
    bool StopFeedingForClose();

    // What keeps the selection in sight (Form1Keys.cpp).
    void FollowCollapses();
    // The actions, the buttons' share in them and the context menu (Form1Actions.cpp).
    void CreateActions();
    void UpdateActions();
    QAction* NewAction(const char* name, const QString& text, const QList<QKeySequence>& keys, QWidget* keysOwner,
                       std::function<void()> command);
    // A name the user typed for an entry whose name is `old`: false when nothing is to change
    // (the same name, or a blank one, which is refused with a message).
    bool IsNewName(const QString& name, const QString& old);
    void SaveTreeTo(const std::string& fileName);
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
    // The status bar's label: which file, whether changed, how many entries.
    void ShowTreeLabel();
    // After every change of the tree: the label, the find, the cut branch, the preview.
    void TreeEdited();
    // Replaces the tree with the file's, and forgets the edits of the tree it replaces.
    void LoadTreeFile(const std::string& fileName);

    // Editing (Form1Edit.cpp).
    void ConnectTreeEditing();
    void PushEdit(std::unique_ptr<TTreeCommand> command);
    // The category a new or pasted entry goes under: the selected one, or the parent of a
    // selected symbolic category; null for the top level.
    TTreeNode* ParentForNewEntry() const;
    void StartNameEditor(const TTreeNode& node);
    bool RenameFromEditor(TTreeNode& node, const QString& name);
    void ShowAfterUndoOrRedo(bool undone);

    // Finding (Form1Find.cpp).
    void FindNext(bool backwards = false);
    bool Finding() const;
    void CreateFindBar();
    void ShowFindResult();
    void ShowWholeTree();
    const TTreeSearch& CurrentSearch();
    void ShowFindCount();
    void SelectFoundRow(std::size_t row);
    std::optional<std::size_t> CurrentMatch() const;
    void RefreshFind();

    // The feeds (Form1Feed.cpp): what a feed and the preview's dry run share.
    std::unique_ptr<TFeedRun> NewFeedRun(TFeedView& view, TPageTransport& transport, bool dryRun);
    TFeedLogin FeedLogin(TFeedView& view, bool dryRun) const;
    // The progress bar and Stop while a feed runs; "Please wait..." hidden on every path.
    struct TFeedUnderWay {
        TFeedUnderWay(TForm1& form, std::size_t entries);
        ~TFeedUnderWay();
        TForm1& Form;
    };

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
    std::unique_ptr<TCommandGuard> Guard;
    std::string TreeFile;
    std::unique_ptr<QUndoStack> EditStack;
    // The branch a paste moves; borrowed from the tree, and forgotten when it leaves the tree.
    TTreeNode* CutNode = nullptr;
    std::unique_ptr<TTreeSearch> Search;
    // The delegates of the tree's rows and of the rows of a find (both the view's).
    QStyledItemDelegate* TreeRows = nullptr;
    QStyledItemDelegate* FoundRows = nullptr;
    TFeedPreview* FeedPreview = nullptr;
    // The last load of the tree file failed, so the window does not show what the file holds.
    bool LoadFailed = false;
    TAnchorLayout Layout;
    TProcessMessages ProcessMessages;
    // Every feed of the window ends through this one request: Stop, Escape, a close.
    TStopRequest FeedStop;
    bool FeedUnderWay = false;
};
