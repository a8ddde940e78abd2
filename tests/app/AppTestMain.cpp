#include "model/CategoryClasses.h"

#include <QApplication>

#include <gtest/gtest.h>

// The window needs an application object for the whole run.
int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    RegisterCategoryClasses();
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
