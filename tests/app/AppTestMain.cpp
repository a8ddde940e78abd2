#include "app/Application.h"
#include "model/CategoryClasses.h"

#include <gtest/gtest.h>

// The window needs the program's application object for the whole run. Without a display (also
// while CTest lists the tests) it draws offscreen.
int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    RegisterCategoryClasses();
    TApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
