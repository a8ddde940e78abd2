// The program's start-up before the window opens, in a fresh process: logging, the
// persistence engine and the category model's classes.

#include "common/XmlPersistance/XmlClassManager.h"
#include "common/XmlPersistance/XmlLog.h"
#include "common/XmlPersistance/XmlPersistance.h"
#include "model/CategoryClasses.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

std::string ReadAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::filesystem::path ExecutableFolder()
{
    return std::filesystem::read_symlink("/proc/self/exe").parent_path();
}

}  // namespace

TEST(Startup, WritesTheStartUpRecordCreatesTheEngineLogAndRegistersTheClasses)
{
    const std::filesystem::path temp =
        std::filesystem::temp_directory_path() / ("tessaroo-startup-" + std::to_string(::getpid()));
    std::filesystem::create_directories(temp);
    ::setenv("temp", temp.c_str(), 1);

    StartXmlPersistance();
    RegisterCategoryClasses();

    const std::string critical = ReadAll(temp / "Brevin_Logger_Critical_startup_tests.log");
    EXPECT_EQ(critical.rfind("Info [", 0), 0u) << critical;
    EXPECT_NE(critical.find("] : This is not an error just an information message that the Logging system is up "
                            "and running (module: " +
                            (ExecutableFolder() / "startup_tests").string() + ").\r\n"),
              std::string::npos)
        << critical;

    // Only the file's own name is lower-cased; the folder beside the executable is taken as
    // it is on disk.
    EXPECT_EQ(XmlLogger()->FileName(), (ExecutableFolder() / "logs" / "xmlpersistance.log").string());
    EXPECT_TRUE(std::filesystem::is_regular_file(XmlLogger()->FileName()));

    for (const char* name : {"TCategory", "TSymbolicCategory", "TDmoz", "TXMLTreeNode"})
        EXPECT_NE(GetXmlClass(name), nullptr) << name;
    EXPECT_EQ(GetXmlClass("TBaseCategory"), nullptr);
    std::filesystem::remove_all(temp);
}
