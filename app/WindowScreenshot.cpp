// Usage: tessaroo_screenshot <picture.png>
// Opens the window in the working folder (with its tree.xml), unfolds the tree and saves a
// picture of the window, for the README.
#include "app/Application.h"
#include "app/Form1.h"
#include "model/CategoryModelStartup.h"

#include <QPixmap>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <picture.png>\n", argv[0]);
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
    form.categories->expandAll();
    const QString picture = QString::fromLocal8Bit(argv[1]);
    int result = 0;
    // Let the window be mapped and painted before it is grabbed.
    QTimer::singleShot(500, &form, [&] {
        if (!form.grab().save(picture)) {
            std::fprintf(stderr, "cannot write %s\n", argv[1]);
            result = 1;
        }
        application.quit();
    });
    application.exec();
    return result;
}
