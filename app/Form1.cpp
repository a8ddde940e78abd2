#include "app/Form1.h"

#include "app/CategoryTreeModel.h"
#include "app/FindField.h"
#include "app/VersionInfo.h"
#include "app/WindowMessages.h"
#include "common/core/ExecutablePath.h"
#include "common/core/Text.h"
#include "model/Category.h"
#include "model/tree/DeleteCommand.h"
#include "model/tree/RenameCommand.h"
#include "model/tree/TreeSearch.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTreeView>
#include <QUndoStack>

#include <algorithm>
#include <array>
#include <optional>

namespace {

constexpr QSize DesignClientSize(535, 349);
constexpr QSize MinimumWindowSize(541, 355);
// Kept as described: misspelt ("delte") as users know the question.
const QString DeleteQuestion =
    "This will delte the selected category and all subcategories with symbolic categories. Continue?";
const QString BlankNameMessage =
    "A category needs a name: the new name is empty or blank, so the name stays as it was.";

// "MS Sans Serif" is not found on most desktops here; a condensed face keeps the texts
// within the widths the controls were designed with.
QFont DesignFont(int pixelHeight, bool bold)
{
    QFont font;
    font.setFamilies({"MS Sans Serif", "DejaVu Sans Condensed", "Arial Narrow"});
    font.setPixelSize(pixelHeight);
    font.setBold(bold);
    return font;
}

QPushButton* NewButton(QWidget* parent, const char* name, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    // Enter on a focused button presses that button, as on the desktop the design comes from.
    button->setAutoDefault(true);
    return button;
}

QLabel* NewLabel(QWidget* parent, const char* name, const QString& caption)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    return label;
}

// Labels take the width of their text, whatever the font the desktop gives them.
QRect AutoSized(const QLabel* label, QRect designRect)
{
    designRect.setWidth(std::max(designRect.width(), label->sizeHint().width()));
    return designRect;
}

QLineEdit* NewEdit(QWidget* parent, const char* name)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    return edit;
}

}  // namespace

TForm1::TForm1(std::unique_ptr<TDialogs> dialogs, std::string treeFileName, QWidget* parent)
    : QWidget(parent), FormDialogs(std::move(dialogs)), TreeFile(std::move(treeFileName)), Layout(DesignClientSize),
      ProcessMessages(WindowProcessMessages())
{
    setObjectName("Form1");
    setWindowTitle("Tessaroo - ");
    setFont(DesignFont(11, false));
    move(192, 114);
    CreateControls();
    SetTabOrder();
    setMinimumSize(MinimumWindowSize);
    resize(DesignClientSize.expandedTo(MinimumWindowSize));
    Guard = std::make_unique<TCommandGuard>(std::vector<QWidget*>{Button1, Button2, Button3, Button4, Button5});
    EditStack = std::make_unique<QUndoStack>();
    CreateActions();
    ConnectTreeEditing();
    FollowCollapses();
    RestoreSettings();
    Tree.SetOnDeletion([this](TTreeNode& node) { categoriesDeletion(node); });
    HTTPClient1.SetCookieManager(&CookieManager1);
    HTTPClient1.SetProcessMessages(ProcessMessages);
    FormCreate();
}

TForm1::~TForm1()
{
    // The edits go first, and quietly: the window is no longer there to follow them.
    EditStack->disconnect();
    EditStack.reset();
    FormDestroy();
}

void TForm1::CreateControls()
{
    // Design rectangles (left, top, width, height) and anchors of the window's controls.
    Label4 = NewLabel(this, "Label4", "Domain:");
    Layout.Add(Label4, AutoSized(Label4, QRect(310, 11, 39, 13)), akTop | akRight);
    Edit3 = NewEdit(this, "Edit3");
    Layout.Add(Edit3, QRect(374, 8, 153, 21), akTop | akRight);
    Label1 = NewLabel(this, "Label1", "Username:");
    Layout.Add(Label1, AutoSized(Label1, QRect(310, 35, 51, 13)), akTop | akRight);
    Edit1 = NewEdit(this, "Edit1");
    Layout.Add(Edit1, QRect(374, 32, 153, 21), akTop | akRight);
    Label2 = NewLabel(this, "Label2", "Password:");
    Layout.Add(Label2, AutoSized(Label2, QRect(310, 59, 49, 13)), akTop | akRight);
    Edit2 = NewEdit(this, "Edit2");
    Edit2->setEchoMode(QLineEdit::Password);
    // The style's own mask is a bullet; the field shows every typed character as "*".
    Edit2->setStyleSheet("lineedit-password-character: 42");
    Layout.Add(Edit2, QRect(374, 56, 153, 21), akTop | akRight);

    // "&&" in the caption is one literal ampersand and no accelerator.
    Button1 = NewButton(this, "Button1", "Login && Feed");
    Button1->setDefault(true);
    Layout.Add(Button1, QRect(454, 80, 75, 25), akTop | akRight);

    Label3 = NewLabel(this, "Label3", "Please wait...");
    Label3->setFont(DesignFont(20, true));
    QPalette red = Label3->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    Label3->setPalette(red);
    Label3->hide();
    Layout.Add(Label3, AutoSized(Label3, QRect(306, 88, 124, 24)), akTop | akRight);

    Button4 = NewButton(this, "Button4", "Rename selected");
    Layout.Add(Button4, QRect(310, 120, 105, 25), akTop | akRight);
    Button3 = NewButton(this, "Button3", "Delete selected");
    Layout.Add(Button3, QRect(422, 120, 105, 25), akTop | akRight);
    Button2 = NewButton(this, "Button2", "Reload tree");
    Layout.Add(Button2, QRect(310, 152, 105, 25), akTop | akRight);
    Button5 = NewButton(this, "Button5", "Save tree");
    Layout.Add(Button5, QRect(422, 152, 105, 25), akTop | akRight);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName("Memo1");
    Memo1->setReadOnly(true);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Layout.Add(Memo1, QRect(304, 184, 223, 145), akLeft | akTop | akRight | akBottom);

    categories = new QTreeView(this);
    categories->setObjectName("categories");
    categories->setHeaderHidden(true);
    categories->setIndentation(19);
    categories->setEditTriggers(QAbstractItemView::NoEditTriggers);
    categories->setSelectionMode(QAbstractItemView::SingleSelection);
    categories->setUniformRowHeights(true);
    categories->setDragEnabled(true);
    categories->setAcceptDrops(true);
    categories->setDropIndicatorShown(true);
    categories->setDragDropMode(QAbstractItemView::InternalMove);
    TreeModel = std::make_unique<TCategoryTreeModel>(Tree);
    categories->setModel(TreeModel.get());
    Layout.Add(categories, QRect(0, 0, 297, 329), akLeft | akTop | akBottom);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName("StatusBar1");
    Layout.Add(StatusBar1, QRect(0, 330, 535, 19), akLeft | akRight | akBottom);
    CreateFeedControls();
    TreeLabel = NewLabel(StatusBar1, "TreeLabel", "");
    StatusBar1->addPermanentWidget(TreeLabel);
    CreateFindBar();
}

void TForm1::SetTabOrder()
{
    const std::array<QWidget*, 10> order = {Edit1,   Edit2,   Button1, categories, Button2,
                                            Button3, Button4, Button5, Memo1,      Edit3};
    for (std::size_t i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order[i], order[i + 1]);
    // The find field, while it shows, comes just before the tree it filters.
    setTabOrder(Button1, FindField);
    setTabOrder(FindField, categories);
    // The window opens with the focus on the first control of the tab order, not on the
    // first one created.
    order.front()->setFocus();
}

// "Please wait..." goes when the command ends, however it ends: a message box or an error
// after it must not leave the window saying that work goes on.
void TForm1::RunCommand(const std::function<void()>& command)
{
    std::optional<std::string> error;
    try {
        Guard->Run([&] {
            UpdateActions();
            command();
        });
    } catch (const std::exception& e) {
        error = e.what();
    }
    HidePleaseWait();
    UpdateActions();
    if (error)
        FormDialogs->ShowError(this, QString::fromStdString(*error));
    if (Guard->TakeDeferredClose())
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

void TForm1::FormCreate()
{
    AppendVersionToCaption();
    ShowTreeLabel();
    RunCommand([this] { ReloadTree(); });
}

// The view and its model let go of the tree before the tree goes with the window.
void TForm1::FormDestroy()
{
    categories->setModel(nullptr);
    TreeModel.reset();
}

// The caption gets four numbers in every case; a version record that cannot be read gives
// zeros, and its error is shown before the tree is loaded.
void TForm1::AppendVersionToCaption()
{
    std::array<std::int32_t, 4> numbers{};
    std::optional<std::string> error;
    try {
        const TVersionInfo info(ExecutablePath());
        if (info.HasInfo())
            numbers = {info.MajorVersion(), info.MinorVersion(), info.Release(), info.Build()};
    } catch (const std::exception& e) {
        error = e.what();
    }
    setWindowTitle(windowTitle() +
                   QString("%1.%2.%3.%4").arg(numbers[0]).arg(numbers[1]).arg(numbers[2]).arg(numbers[3]));
    if (error)
        FormDialogs->ShowError(this, QString::fromStdString(*error));
}

void TForm1::ShowPleaseWait()
{
    Label3->show();
    Label3->repaint();
}

void TForm1::HidePleaseWait()
{
    Label3->hide();
}

// The file's tree takes the place of the one shown. Until the file has been read in full,
// it counts as failed: an error leaves the tree as it was, and a later save asks first.
void TForm1::ReloadTree()
{
    if (!TreeFileExists()) {
        StatusBar1->showMessage(
            QString::fromStdString("There is no tree file " + TreeFile + ", so nothing was loaded."));
        return;
    }
    if (!SaveChangesFirst())
        return;
    ShowPleaseWait();
    LoadFailed = true;
    LoadTreeFile(TreeFile);
    LoadFailed = false;
    StatusBar1->clearMessage();
    HidePleaseWait();
}

void TForm1::DeleteSelected()
{
    TTreeNode* node = SelectedNode();
    if (!node)
        return;
    if (FormDialogs->Confirm(this, "Confirm", DeleteQuestion) != TConfirmAnswer::Yes)
        return;
    ShowPleaseWait();
    PushEdit(std::make_unique<TDeleteCommand>(Tree, *node));
    HidePleaseWait();
}

// Cancel gives the name back unchanged, and so does OK without an edit: nothing changes.
// A name must not be empty or blank: the site refuses such a category in every feed.
void TForm1::RenameSelected()
{
    TTreeNode* node = SelectedNode();
    if (!node || !node->Data())
        return;
    const QString initial = QString::fromStdString(Utf16ToUtf8(node->Data()->Name));
    const QString name = FormDialogs->InputBox(this, "Rename (symbolic) category", "New name", initial);
    if (IsNewName(name, initial))
        PushEdit(std::make_unique<TRenameCommand>(Tree, *node, Utf8ToUtf16(name.toStdString())));
}

bool TForm1::IsNewName(const QString& name, const QString& old)
{
    if (name == old)
        return false;
    if (name.trimmed().isEmpty()) {
        FormDialogs->ShowMessage(this, BlankNameMessage);
        return false;
    }
    return true;
}

void TForm1::SaveTreeFile()
{
    if (LoadFailed && !MayReplaceUnloadedFile())
        return;
    SaveTreeTo(TreeFile);
}

void TForm1::categoriesDeletion(TTreeNode& Node)
{
    if (Node.Data())
        Node.FreeData();
}

void TForm1::closeEvent(QCloseEvent* event)
{
    if (FeedUnderWay && !StopFeedingForClose()) {
        event->ignore();
        return;
    }
    if (Guard->DeferClose() || !MayClose()) {
        event->ignore();
        return;
    }
    SaveSettings();
    QWidget::closeEvent(event);
}

void TForm1::resizeEvent(QResizeEvent* event)
{
    Layout.Apply(size());
    QWidget::resizeEvent(event);
}

// Enter that no control took presses the default button, "Login && Feed", only from the
// fields that a login needs; anywhere else (the tree, the message pane) it does nothing, as
// a feed posts the whole tree to the site.
void TForm1::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (IsLoginField(focusWidget()))
            Button1->click();
        return;
    }
    QWidget::keyPressEvent(event);
}
