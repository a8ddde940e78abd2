#include "app/Form1.h"

#include <QLineEdit>
#include <QSettings>

namespace {

const QString DefaultDomain = "localhost:8642";

// The desktop's place for the program's settings (~/.config/tessaroo/tessaroo.conf).
QSettings WindowSettings()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, "tessaroo", "tessaroo");
}

}  // namespace

void TForm1::RestoreSettings()
{
    const QSettings settings = WindowSettings();
    Edit3->setText(settings.value("Domain", DefaultDomain).toString());
    Edit1->setText(settings.value("Username").toString());
    if (settings.contains("Geometry"))
        restoreGeometry(settings.value("Geometry").toByteArray());
}

// Remembering is a convenience: settings that cannot be written cost the user nothing but
// typing the fields again.
void TForm1::SaveSettings() const
{
    QSettings settings = WindowSettings();
    settings.setValue("Domain", Edit3->text());
    settings.setValue("Username", Edit1->text());
    settings.setValue("Geometry", saveGeometry());
}
