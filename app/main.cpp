#include "app/Application.h"
#include "app/Form1.h"
#include "common/XmlPersistance/XmlPersistance.h"
#include "model/CategoryClasses.h"

int main(int argc, char** argv)
{
    StartXmlPersistance();
    RegisterCategoryClasses();
    TApplication application(argc, argv);
    TForm1 form;
    form.show();
    return application.exec();
}
