#include "app/Application.h"
#include "app/Form1.h"
#include "model/CategoryClasses.h"

int main(int argc, char** argv)
{
    RegisterCategoryClasses();
    TApplication application(argc, argv);
    TForm1 form;
    form.show();
    return application.exec();
}
