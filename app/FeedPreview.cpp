#include "app/FeedPreview.h"

#include "feed/FeedOutcome.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTreeView>
#include <QVBoxLayout>

#include <array>

namespace {

constexpr int AllEntries = -1;

const std::array<TEntryAction, 5> ActionsInOrder = {TEntryAction::Create, TEntryAction::AlreadyThere,
                                                    TEntryAction::InJournal, TEntryAction::Skip, TEntryAction::Fail};

QString Capitalized(QString text)
{
    if (!text.isEmpty())
        text[0] = text[0].toUpper();
    return text;
}

}  // namespace

TFeedPreview::TFeedPreview(QWidget* parent, TSelectRecord selectRecord)
    : QWidget(parent, Qt::Window), SelectRecord(std::move(selectRecord))
{
    setObjectName("FeedPreview");
    setWindowTitle("Feed preview");
    resize(640, 420);

    Filter = new QLineEdit(this);
    Filter->setObjectName("PreviewFilter");
    Filter->setClearButtonEnabled(true);
    Filter->setPlaceholderText("Filter entries by name or reason");
    Actions = new QComboBox(this);
    Actions->setObjectName("PreviewActions");
    Entries = new QTreeView(this);
    Entries->setObjectName("PreviewEntries");
    Entries->setRootIsDecorated(false);
    Entries->setUniformRowHeights(true);
    Entries->setModel(&EntriesModel);
    Entries->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Entries->header()->setStretchLastSection(true);
    Entries->setColumnWidth(TFeedPreviewModel::pcEntry, 260);
    Entries->setColumnWidth(TFeedPreviewModel::pcAction, 120);
    Totals = new QLabel(this);
    Totals->setObjectName("PreviewTotals");
    Totals->setWordWrap(true);

    auto* filters = new QHBoxLayout;
    filters->addWidget(Filter, 1);
    filters->addWidget(Actions);
    auto* column = new QVBoxLayout(this);
    column->addLayout(filters);
    column->addWidget(Entries, 1);
    column->addWidget(Totals);

    CountActions();
    connect(Filter, &QLineEdit::textChanged, this, [this] { ApplyFilter(); });
    connect(Actions, &QComboBox::currentIndexChanged, this, [this] { ApplyFilter(); });
    connect(Entries, &QTreeView::doubleClicked, this, [this](const QModelIndex& index) { EntryDoubleClicked(index); });
}

void TFeedPreview::Start()
{
    EntriesModel.Clear();
    Outdated = false;
    TotalsText = "Asking the site what a feed would do...";
    ShowTotals();
    CountActions();
    show();
    raise();
}

void TFeedPreview::AddReport(const TFeedEntryReport& report)
{
    EntriesModel.Add(report);
}

void TFeedPreview::ShowOutcome(const TFeedOutcome& outcome)
{
    TotalsText = QString::fromStdString(OutcomeSummaryLines(outcome).front());
    if (outcome.End != TFeedEnd::Finished)
        TotalsText += "\n" + QString::fromStdString(OutcomeStatusText(outcome));
    ShowTotals();
    CountActions();
    EntriesModel.Show();
}

void TFeedPreview::MarkOutdated()
{
    if (Outdated || EntriesModel.Size() == 0)
        return;
    Outdated = true;
    ShowTotals();
}

void TFeedPreview::ShowTotals()
{
    Totals->setText(Outdated ? TotalsText + "\nThe tree has changed since this preview: preview the feed again to "
                                            "go from its entries to the tree."
                             : TotalsText);
}

void TFeedPreview::CountActions()
{
    const QSignalBlocker quiet(Actions);
    const int chosen = Actions->currentIndex();
    Actions->clear();
    Actions->addItem("All entries", AllEntries);
    for (const TEntryAction action : ActionsInOrder)
        Actions->addItem(Capitalized(TFeedPreviewModel::ActionText(action, false)) + " (" +
                             QString::number(EntriesModel.CountOf(action)) + ")",
                         static_cast<int>(action));
    Actions->setCurrentIndex(std::max(chosen, 0));
}

void TFeedPreview::ApplyFilter()
{
    const int action = Actions->currentData().toInt();
    EntriesModel.SetFilter(Filter->text(),
                           action == AllEntries ? std::nullopt : std::optional(static_cast<TEntryAction>(action)));
}

void TFeedPreview::EntryDoubleClicked(const QModelIndex& index)
{
    if (index.isValid() && !Outdated && SelectRecord)
        SelectRecord(EntriesModel.EntryAt(index.row()).Record);
}
