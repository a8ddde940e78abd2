// Logging that cannot start stands in nobody's way. The logging unit's state belongs to the
// whole process, so this program's tests need a process each, as CTest runs them.

#include "ScriptedDialogs.h"

#include "app/Form1.h"
#include "app/NamedChild.h"
#include "common/XmlPersistance/XmlLog.h"
#include "model/CategoryModelStartup.h"
#include "tests/support/SiteProcess.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WholeFile.h"
#include "tests/support/WorkingDirectory.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>

#include <cstdlib>
#include <filesystem>

namespace {

TEST(WithoutLogging, TheWindowStillLoadsSavesAndFeeds)
{
    TTempFolder folder;
    const TWorkingDirectory inFolder(folder.Path());
    // A temporary folder that is a file: not even the critical log file can be written.
    WriteFile("not-a-folder", "");
    ::setenv("temp", folder.PathOf("not-a-folder").c_str(), 1);
    EXPECT_TRUE(StartCategoryModel().has_value());
    EXPECT_EQ(XmlLogger(), nullptr);

    std::filesystem::copy_file(std::string(TESSAROO_SOURCE_DIR) + "/demo/tree.xml", "tree.xml");
    TScriptedDialogs::TScript script;
    script.ConfirmAnswers = {TConfirmAnswer::Yes};
    TForm1 form(std::make_unique<TScriptedDialogs>(script));
    form.show();
    ASSERT_EQ(form.CategoryTree().Count(), 3u);
    Child<QPushButton>(form, "Button3")->click();  // nothing selected: nothing happens
    Child<QPushButton>(form, "Button5")->click();
    EXPECT_EQ(Child<QStatusBar>(form, "StatusBar1")->currentMessage(), "Saved 3 entries to tree.xml");
    EXPECT_TRUE(std::filesystem::exists("tree.xml.bak"));

    TSiteProcess site;
    Child<QLineEdit>(form, "Edit3")->setText(QString::fromStdString(site.Domain()));
    Child<QLineEdit>(form, "Edit1")->setText("admin");
    Child<QLineEdit>(form, "Edit2")->setText("demo");
    Child<QPushButton>(form, "Button1")->click();
    EXPECT_TRUE(script.Errors.isEmpty()) << script.Errors.join("\n").toStdString();
    EXPECT_EQ(script.Messages,
              QStringList({"problems with category: Sounds\n"
                           "Symbolic category cannot have the same parent as the reference category."}))
        << "the example's Sounds stands for Music under Music's own parent, which a directory site refuses";
}

}  // namespace
