#include "app/Application.h"
#include "app/Dialogs.h"
#include "app/Form1.h"
#include "model/CategoryModelStartup.h"

#include <optional>
#include <string>

int main(int argc, char** argv)
{
    // When logging cannot start, the window still opens and says why.
    const std::optional<std::string> startError = StartCategoryModel();
    TApplication application(argc, argv);
    if (startError)
        TQtDialogs().ShowError(nullptr, QString::fromStdString(*startError));
    TForm1 form;
    form.show();
    return application.exec();
}
