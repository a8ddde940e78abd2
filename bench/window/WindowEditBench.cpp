// The tree editor of the window on a large tree, through the window's own actions, with the
// program's logging on, in one run:
//
//   window_bench [--runs N] [entries]   (default: 1000000)
//
// A generated tree.xml is opened in the window (offscreen), and then, each time the best of
// N runs (default 3) on the clock:
//   find:   Ctrl+F (it builds the find's index), then each keystroke of typing "music", and
//           of "a" (half the entries match), against the find of model/tree alone on the same
//           text; the times include the view's layout and a paint of its rows
//   delete: "Delete selected" of the branch nearest to 100,000 entries, and its undo
//   add:    "Add category" under an entry deep in the tree (its row editor opened), and its undo
//   move:   Cut and Paste of that branch under another top-level category, and its undo
// Prints the times and ratios; asserts nothing.
#include "TreeGenerator.h"
#include "bench/support/BestOf.h"

#include "app/Application.h"
#include "app/Form1.h"
#include "app/NamedChild.h"
#include "common/logging/Logger.h"
#include "model/CategoryModelStartup.h"
#include "model/tree/TreeSearch.h"

#include <unistd.h>

#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTreeView>

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

int Runs = 3;
constexpr std::size_t BranchEntries = 100000;

// Every question a command asks is answered Yes; nothing else is asked on these paths.
class TYesDialogs : public TDialogs {
public:
    TConfirmAnswer Confirm(QWidget*, const QString&, const QString&) override { return TConfirmAnswer::Yes; }
    TSaveAnswer AskToSave(QWidget*, const QString&) override { return TSaveAnswer::Discard; }
    QString InputBox(QWidget*, const QString&, const QString&, const QString& initial) override { return initial; }
    void ShowMessage(QWidget*, const QString& text) override { std::fprintf(stderr, "%s\n", qPrintable(text)); }
    void ShowError(QWidget*, const QString& text) override { std::fprintf(stderr, "error: %s\n", qPrintable(text)); }
};

std::size_t EntriesIn(const TTreeNode& node)
{
    std::size_t count = 1;
    for (const auto& child : node.Children())
        count += EntriesIn(*child);
    return count;
}

void BranchNearest(TTreeNode& node, std::size_t wanted, TTreeNode*& best, std::size_t& bestSize)
{
    const std::size_t size = EntriesIn(node);
    const auto distance = [wanted](std::size_t n) { return n > wanted ? n - wanted : wanted - n; };
    if (!best || distance(size) < distance(bestSize)) {
        best = &node;
        bestSize = size;
    }
    if (size > wanted)
        for (const auto& child : node.Children())
            BranchNearest(*child, wanted, best, bestSize);
}

TTreeNode& Deepest(TTreeNode& node)
{
    TTreeNode* deepest = &node;
    while (deepest->FirstChild())
        deepest = deepest->FirstChild();
    return *deepest;
}

// What the user waits for after a command: its work, the view's layout and a paint.
TTimes Answer(TForm1& form, const std::function<void()>& command)
{
    QWidget* rows = Child<QTreeView>(form, "categories")->viewport();
    return TimesOf([&] {
        command();
        QCoreApplication::processEvents();
        rows->repaint();
    });
}

void CloseRowEditor()
{
    if (QWidget* editor = QApplication::focusWidget()) {
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(editor, &escape);
    }
    QCoreApplication::processEvents();
}

struct TFindTimes {
    TBestTimes Open, Engine;
    std::vector<TBestTimes> Keys;
};

TFindTimes MeasureTyping(TForm1& form, const QString& word)
{
    QLineEdit* findField = Child<QLineEdit>(form, "FindField");
    QAction* find = Child<QAction>(form, "FindAction");
    TFindTimes times;
    times.Keys.resize(static_cast<std::size_t>(word.size()));
    for (int run = 0; run < Runs; ++run) {
        findField->clear();
        form.CloseFind();
        times.Open.Add(Answer(form, [&] { find->trigger(); }));
        for (qsizetype key = 0; key < word.size(); ++key)
            times.Keys[static_cast<std::size_t>(key)].Add(
                Answer(form, [&] { findField->setText(word.left(key + 1)); }));
        const TTreeSearch search(form.CategoryTree());
        times.Engine.Add(TimesOf([&] { search.Find(word.toStdU16String()); }));
    }
    form.CloseFind();
    return times;
}

void ReportTyping(const QString& word, const TFindTimes& times, std::size_t matches)
{
    std::printf("  find \"%s\" (%zu matches); Ctrl+F, which builds the find's index: %.0f ms\n", qPrintable(word),
                matches, times.Open.Wall * 1e3);
    for (std::size_t key = 0; key < times.Keys.size(); ++key)
        std::printf("    keystroke \"%s\": %6.1f ms (target <= 150)\n", qPrintable(word.left(qsizetype(key) + 1)),
                    times.Keys[key].Wall * 1e3);
    std::printf("    model/tree alone on \"%s\": %6.1f ms; the window's last keystroke takes %.2f times that\n",
                qPrintable(word), times.Engine.Wall * 1e3, times.Keys.back().Wall / times.Engine.Wall);
}

struct TEditTimes {
    TBestTimes Do, Undo;
};

void ReportEdit(const char* what, const TEditTimes& times, const char* target)
{
    std::printf("  %-44s %7.1f ms, undo %7.1f ms%s\n", what, times.Do.Wall * 1e3, times.Undo.Wall * 1e3, target);
}

}  // namespace

int main(int argc, char** argv)
{
    std::size_t entries = 1000000;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--runs" && i + 1 < argc)
            Runs = std::stoi(argv[++i]);
        else
            entries = std::stoul(argument);
    }
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("tessaroo-window-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const std::string file = (folder / "tree.xml").string();
    WriteGeneratedTree(entries, file);
    // The program's own start, with its logs in this run's folder.
    TLogger::GetLogger("", 1048576);
    TLogger::SetLogPath((folder / "logs").string());
    if (const auto error = StartCategoryModel()) {
        std::fprintf(stderr, "%s\n", error->c_str());
        return 1;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TApplication application(argc, argv);
    const QTemporaryDir noSettings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, noSettings.path());

    const auto opened = std::chrono::steady_clock::now();
    TForm1 form(std::make_unique<TYesDialogs>(), file);
    form.show();
    QCoreApplication::processEvents();
    std::printf("%zu entries: the window opened on them in %.1f s\n", form.CategoryTree().Count(),
                std::chrono::duration<double>(std::chrono::steady_clock::now() - opened).count());

    for (const QString& word : {QString("music"), QString("a")}) {
        const TFindTimes times = MeasureTyping(form, word);
        ReportTyping(word, times, TTreeSearch(form.CategoryTree()).Find(word.toStdU16String()).MatchRows.size());
    }

    TTreeNode* branch = nullptr;
    std::size_t branchSize = 0;
    for (const auto& top : form.CategoryTree().TopLevelNodes())
        BranchNearest(*top, BranchEntries, branch, branchSize);
    const TTreeNode* branchTop = branch;
    while (branchTop->Parent())
        branchTop = branchTop->Parent();
    const auto& topLevel = form.CategoryTree().TopLevelNodes();
    TTreeNode* target = topLevel[topLevel.front().get() == branchTop ? 1 : 0].get();
    TTreeNode& deep = Deepest(*form.CategoryTree().FirstNode());

    QPushButton* deleteSelected = Child<QPushButton>(form, "Button3");
    QAction* undo = Child<QAction>(form, "UndoAction");
    QAction* add = Child<QAction>(form, "AddAction");
    QAction* cut = Child<QAction>(form, "CutAction");
    QAction* paste = Child<QAction>(form, "PasteAction");
    TEditTimes deletion, addition, move;
    for (int run = 0; run < Runs; ++run) {
        form.SelectNode(branch);
        deletion.Do.Add(Answer(form, [&] { deleteSelected->click(); }));
        deletion.Undo.Add(Answer(form, [&] { undo->trigger(); }));

        form.SelectNode(&deep);
        addition.Do.Add(Answer(form, [&] { add->trigger(); }));
        CloseRowEditor();
        addition.Undo.Add(Answer(form, [&] { undo->trigger(); }));

        form.SelectNode(branch);
        cut->trigger();
        form.SelectNode(target);
        move.Do.Add(Answer(form, [&] { paste->trigger(); }));
        move.Undo.Add(Answer(form, [&] { undo->trigger(); }));
    }
    std::printf("  edits (the branch: %zu entries; the tree keeps %zu entries after each undo)\n", branchSize,
                form.CategoryTree().Count());
    ReportEdit("delete the branch:", deletion, "   (target < 1000 ms each)");
    ReportEdit("add a category deep in the tree:", addition, "");
    ReportEdit("move the branch under another top level:", move, "");
    form.close();
    std::filesystem::remove_all(folder);
    return 0;
}
