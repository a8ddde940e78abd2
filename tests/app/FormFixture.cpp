#include "FormFixture.h"

#include "app/CategoryTreeModel.h"
#include "cli/treeformats/OutlineReader.h"
#include "cli/treeformats/TreeFile.h"
#include "model/tree/DocumentOfTree.h"
#include "model/tree/TreeOrder.h"
#include "tests/support/WholeFile.h"

#include <QItemSelectionModel>
#include <QSettings>
#include <QTest>
#include <QTreeView>

#include <filesystem>

FormTest::~FormTest()
{
    // The window goes while its folder is still the working directory and still there.
    Form.reset();
}

void FormTest::PutExampleTree() const
{
    std::filesystem::copy_file(std::string(TESSAROO_SOURCE_DIR) + "/demo/tree.xml", "tree.xml",
                               std::filesystem::copy_options::overwrite_existing);
}

void FormTest::PutTreeFile(const std::string& text) const
{
    WriteFile("tree.xml", text);
}

void FormTest::PutOutline(const std::string& outline) const
{
    WriteFile("outline.txt", outline);
    WriteTreeFile(ReadOutline("outline.txt"), "tree.xml");
}

std::string FormTest::TreeFileText() const
{
    return ReadFile("tree.xml");
}

TForm1& FormTest::OpenForm(const std::string& treeFileName)
{
    // What the window remembers stays in the test's folder.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QString::fromStdString(Folder.PathOf("settings")));
    Form = std::make_unique<TForm1>(std::make_unique<TScriptedDialogs>(Script), treeFileName);
    Form->show();
    return *Form;
}

TForm1& FormTest::OpenActiveForm()
{
    TForm1& form = OpenForm();
    form.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
    return form;
}

namespace {

void OutlineBranch(const TTreeNode& node, int depth, std::vector<std::string>& lines)
{
    lines.push_back(std::string(2 * depth, ' ') + node.Text());
    for (const auto& child : node.Children())
        OutlineBranch(*child, depth + 1, lines);
}

// What the view shows, read through the item model.
void OutlineView(const QAbstractItemModel& model, const QModelIndex& parent, int depth, std::vector<std::string>& lines)
{
    for (int row = 0; row < model.rowCount(parent); ++row) {
        const QModelIndex index = model.index(row, 0, parent);
        lines.push_back(std::string(2 * depth, ' ') + model.data(index).toString().toStdString());
        OutlineView(model, index, depth + 1, lines);
    }
}

}  // namespace

std::vector<std::string> FormTest::Outline() const
{
    std::vector<std::string> lines;
    for (const auto& node : Form->CategoryTree().TopLevelNodes())
        OutlineBranch(*node, 0, lines);
    std::vector<std::string> shown;
    OutlineView(*TreeView()->model(), QModelIndex(), 0, shown);
    EXPECT_EQ(shown, lines) << "the view does not show the tree";
    return lines;
}

std::vector<std::u16string> FormTest::CategoryNames() const
{
    const TDmoz document = DocumentOfTree(Form->CategoryTree());
    std::vector<std::u16string> names;
    for (const TCategory* category : document.Categories)
        names.push_back(category->Name);
    return names;
}

std::vector<std::u16string> FormTest::SymbolicNames() const
{
    const TDmoz document = DocumentOfTree(Form->CategoryTree());
    std::vector<std::u16string> names;
    for (const TSymbolicCategory* link : document.SymbolicCategories)
        names.push_back(link->Name);
    return names;
}

void FormTest::Select(const TTreeNode* node) const
{
    const auto& model = dynamic_cast<const TCategoryTreeModel&>(*TreeView()->model());
    const QModelIndex index = model.IndexOf(node);
    for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent())
        TreeView()->expand(parent);
    TreeView()->selectionModel()->select(index, QItemSelectionModel::ClearAndSelect);
}

QTreeView* FormTest::TreeView() const
{
    return Child<QTreeView>(*Form, "categories");
}

TTreeNode* FormTest::Node(const std::string& text) const
{
    for (TTreeNode* node = Form->CategoryTree().FirstNode(); node; node = NextInTreeOrder(*node))
        if (node->Text() == text)
            return node;
    ADD_FAILURE() << "no entry " << text;
    return nullptr;
}
