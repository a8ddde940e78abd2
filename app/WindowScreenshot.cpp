// Usage: tessaroo_screenshot <picture.png> [find TEXT | menu | preview DOMAIN USER PASSWORD]
// Opens the window in the working folder (with its tree.xml), unfolds the tree and saves a
// picture of it for the README: as it opens, with the find field open on TEXT, with the
// tree's context menu, or with the preview of a feed into the site at DOMAIN.
#include "app/Application.h"
#include "app/FeedPreview.h"
#include "app/Form1.h"
#include "app/NamedChild.h"
#include "model/CategoryModelStartup.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>

#include <cstdio>
#include <functional>
#include <string>

namespace {

// The window with the tree's context menu drawn where it opened, on the desktop's grey
// where the menu reaches beyond the window.
QPixmap WindowWithMenu(TForm1& form)
{
    QMenu* menu = Child<QMenu>(form, "TreeMenu");
    const QPoint menuAt = menu->pos() - form.mapToGlobal(QPoint(0, 0));
    const QRect both = form.rect().united(QRect(menuAt, menu->size()));
    QPixmap picture(both.size());
    picture.fill(Qt::darkGray);
    QPainter painter(&picture);
    painter.drawPixmap(-both.topLeft(), form.grab());
    painter.drawPixmap(menuAt - both.topLeft(), menu->grab());
    return picture;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string mode = argc > 2 ? argv[2] : "";
    const bool known = (argc == 2) || (argc == 4 && mode == "find") || (argc == 3 && mode == "menu") ||
                       (argc == 6 && mode == "preview");
    if (!known) {
        std::fprintf(stderr, "usage: %s <picture.png> [find TEXT | menu | preview DOMAIN USER PASSWORD]\n", argv[0]);
        return 2;
    }
    if (const auto startError = StartCategoryModel())
        std::fprintf(stderr, "%s\n", startError->c_str());
    TApplication application(argc, argv);
    // The picture shows the window as it first opens, not the fields one user remembered.
    const QTemporaryDir noSettings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, noSettings.path());
    TForm1 form;
    form.show();
    QTreeView* categories = Child<QTreeView>(form, "categories");
    categories->expandAll();
    std::function<QPixmap()> take = [&] { return form.grab(); };
    if (mode == "find") {
        form.OpenFind();
        Child<QLineEdit>(form, "FindField")->setText(QString::fromLocal8Bit(argv[3]));
    } else if (mode == "menu") {
        form.SelectNode(form.CategoryTree().FirstNode()->FirstChild());
        const QRect row = categories->visualRect(categories->currentIndex());
        Child<QMenu>(form, "TreeMenu")->popup(categories->viewport()->mapToGlobal(row.center()));
        take = [&] { return WindowWithMenu(form); };
    } else if (mode == "preview") {
        Child<QLineEdit>(form, "Edit3")->setText(QString::fromLocal8Bit(argv[3]));
        Child<QLineEdit>(form, "Edit1")->setText(QString::fromLocal8Bit(argv[4]));
        Child<QLineEdit>(form, "Edit2")->setText(QString::fromLocal8Bit(argv[5]));
        // The preview lists every entry; the picture shows those of one word, of every kind.
        QTimer::singleShot(0, &form, [&] {
            Child<QAction>(form, "PreviewAction")->trigger();
            Child<QLineEdit>(form, "PreviewFilter")->setText("music");
        });
        take = [&] { return Child<TFeedPreview>(form, "FeedPreview")->grab(); };
    }
    const QString picture = QString::fromLocal8Bit(argv[1]);
    int result = 0;
    // Let the window be mapped and painted before it is grabbed.
    QTimer::singleShot(1000, &form, [&] {
        if (!take().save(picture)) {
            std::fprintf(stderr, "cannot write %s\n", argv[1]);
            result = 1;
        }
        application.quit();
    });
    application.exec();
    return result;
}
