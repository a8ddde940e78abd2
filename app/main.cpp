#include "app/Application.h"
#include "app/Dialogs.h"
#include "app/Form1.h"
#include "common/XmlPersistance/XmlPersistance.h"
#include "model/CategoryClasses.h"

#include <exception>
#include <optional>
#include <string>

namespace {

// Logging fails to start only when not even its critical log file can be written (an
// unusable temporary folder). The window still opens and says why; every later read or save
// of a tree then reports the same error.
std::optional<std::string> StartEngine()
{
    try {
        StartXmlPersistance();
        return std::nullopt;
    } catch (const std::exception& error) {
        return std::string(error.what());
    }
}

}  // namespace

int main(int argc, char** argv)
{
    const std::optional<std::string> startError = StartEngine();
    RegisterCategoryClasses();
    TApplication application(argc, argv);
    if (startError)
        TQtDialogs().ShowError(nullptr, QString::fromStdString(*startError));
    TForm1 form;
    form.show();
    return application.exec();
}
