#include "app/Form1.h"

#include "app/CategoryTreeModel.h"
#include "app/FindField.h"
#include "app/FoundRowDelegate.h"
#include "app/TreeRowDelegate.h"
#include "model/tree/TreeSearch.h"

#include <QAction>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QTreeView>

#include <algorithm>

namespace {

// The find bar's room above the tree, and the gap below it.
constexpr int FindBarHeight = 22;
constexpr int FindBarRoom = FindBarHeight + 2;

QString CountText(std::size_t matches, std::optional<std::size_t> current)
{
    if (matches == 0)
        return "No match";
    const QString count = matches == 1 ? "1 match" : QString::number(matches) + " matches";
    return current ? QString::number(*current + 1) + " of " + count : count;
}

}  // namespace

void TForm1::CreateFindBar()
{
    FindBar = new QWidget(this);
    FindBar->setObjectName("FindBar");
    auto* row = new QHBoxLayout(FindBar);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);
    FindField = new TFindField(FindBar);
    FindField->setObjectName("FindField");
    FindField->setClearButtonEnabled(true);
    FindField->setPlaceholderText("Find a category by name");
    FindCount = new QLabel(FindBar);
    FindCount->setObjectName("FindCount");
    row->addWidget(FindField, 1);
    row->addWidget(FindCount);
    FindBar->hide();
    Layout.Add(FindBar, QRect(0, 0, 297, FindBarHeight), akLeft | akTop);
    FoundRows = new TFoundRowDelegate(*categories);
    TreeRows = new TTreeRowDelegate(categories);
    categories->setItemDelegate(TreeRows);
    connect(FindField, &QLineEdit::textChanged, this, [this] { ShowFindResult(); });
    connect(categories->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] { ShowFindCount(); });
    FindField->OnEscape = [this] { CloseFind(); };
    FindField->OnEnter = [this](bool backwards) { FindNext(backwards); };
}

bool TForm1::Finding() const
{
    return !FindBar->isHidden();
}

// The find's index is built here, so that typing meets it ready.
void TForm1::OpenFind()
{
    if (!Finding()) {
        CurrentSearch();
        Layout.ShiftTopEdge(categories, FindBarRoom);
        Layout.Apply(size());
        FindBar->show();
        ShowFindResult();
        UpdateActions();
    }
    FindField->setFocus();
    FindField->selectAll();
}

// The entry selected while finding stays selected in the tree.
void TForm1::CloseFind()
{
    if (!Finding())
        return;
    const TTreeNode* selected = SelectedNode();
    FindBar->hide();
    Layout.ShiftTopEdge(categories, -FindBarRoom);
    Layout.Apply(size());
    ShowWholeTree();
    Search.reset();
    FindCount->clear();
    SelectNode(selected);
    categories->setFocus();
    UpdateActions();
}

// The selection stays on its entry while it still matches; otherwise the first match takes it.
void TForm1::ShowFindResult()
{
    const TTreeNode* selected = SelectedNode();
    const QString text = FindField->text();
    if (text.isEmpty()) {
        ShowWholeTree();
        FindCount->clear();
        SelectNode(selected);
        return;
    }
    const TTreeSearch& search = CurrentSearch();
    if (!TreeModel->ShowsFound()) {
        categories->setItemDelegate(FoundRows);
        categories->setRootIsDecorated(false);
    }
    TreeModel->ShowFound(search.Find(text.toStdU16String()));
    const TFoundEntries& found = *TreeModel->FoundEntries();
    const QModelIndex kept = TreeModel->IndexOf(selected);
    if (kept.isValid() && found.Rows[static_cast<std::size_t>(kept.row())].Matches)
        SelectFoundRow(static_cast<std::size_t>(kept.row()));
    else if (!found.MatchRows.empty())
        SelectFoundRow(found.MatchRows.front());
    ShowFindCount();
}

// Built anew after any change of the tree.
const TTreeSearch& TForm1::CurrentSearch()
{
    if (!Search || !Search->IsCurrent(Tree))
        Search = std::make_unique<TTreeSearch>(Tree);
    return *Search;
}

void TForm1::ShowWholeTree()
{
    if (!TreeModel->ShowsFound())
        return;
    TreeModel->ShowTree();
    categories->setItemDelegate(TreeRows);
    categories->setRootIsDecorated(true);
}

// The match of the current row, if it is one.
std::optional<std::size_t> TForm1::CurrentMatch() const
{
    const TFoundEntries* found = TreeModel->FoundEntries();
    const QModelIndex current = categories->currentIndex();
    if (!found || !current.isValid())
        return std::nullopt;
    const auto row = static_cast<std::size_t>(current.row());
    const auto match = std::lower_bound(found->MatchRows.begin(), found->MatchRows.end(), row);
    if (match == found->MatchRows.end() || *match != row)
        return std::nullopt;
    return static_cast<std::size_t>(match - found->MatchRows.begin());
}

void TForm1::ShowFindCount()
{
    const TFoundEntries* found = TreeModel->FoundEntries();
    FindCount->setText(found ? CountText(found->MatchRows.size(), CurrentMatch()) : QString());
}

// From the current row on to the next match, or back to the one before, around the ends.
void TForm1::FindNext(bool backwards)
{
    const TFoundEntries* found = TreeModel->FoundEntries();
    if (!found || found->MatchRows.empty())
        return;
    const auto& matches = found->MatchRows;
    const QModelIndex current = categories->currentIndex();
    std::size_t next = 0;
    if (current.isValid()) {
        const auto row = static_cast<std::size_t>(current.row());
        if (backwards) {
            const auto before = std::lower_bound(matches.begin(), matches.end(), row);
            next =
                before == matches.begin() ? matches.size() - 1 : static_cast<std::size_t>(before - matches.begin()) - 1;
        } else {
            const auto after = std::upper_bound(matches.begin(), matches.end(), row);
            next = after == matches.end() ? 0 : static_cast<std::size_t>(after - matches.begin());
        }
    }
    SelectFoundRow(matches[next]);
    ShowFindCount();
}

void TForm1::SelectFoundRow(std::size_t row)
{
    const QModelIndex index = TreeModel->index(static_cast<int>(row), 0);
    categories->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    categories->scrollTo(index);
}

void TForm1::RefreshFind()
{
    if (Finding())
        ShowFindResult();
}
