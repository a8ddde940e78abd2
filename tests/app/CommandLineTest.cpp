#include "app/CommandLine.h"

#include <gtest/gtest.h>

namespace {

TCommandLine Parse(const QStringList& arguments)
{
    return ParseCommandLine(QStringList{"tessaroo"} + arguments);
}

TEST(CommandLine, NamesTheTreeFileOrTakesTreeXml)
{
    EXPECT_EQ(Parse({}).TreeFileName, "tree.xml");
    EXPECT_FALSE(Parse({}).FileNamed);
    EXPECT_FALSE(Parse({}).ExitCode);
    EXPECT_EQ(Parse({"trees/my tree.xml"}).TreeFileName, "trees/my tree.xml");
    EXPECT_TRUE(Parse({"tree.xml"}).FileNamed) << "named, even when it is the default's name";
    EXPECT_FALSE(Parse({"trees/my tree.xml"}).ExitCode);
}

TEST(CommandLine, PrintsHelpAndVersionInsteadOfAWindow)
{
    const TCommandLine version = Parse({"--version"});
    EXPECT_EQ(version.ExitCode, 0);
    EXPECT_EQ(version.Output.toStdString(), std::string("tessaroo ") + TESSAROO_VERSION + "\n");
    const TCommandLine help = Parse({"--help"});
    EXPECT_EQ(help.ExitCode, 0);
    EXPECT_TRUE(help.Output.contains("[FILE]")) << help.Output.toStdString();
    EXPECT_TRUE(help.Error.isEmpty());
}

TEST(CommandLine, RefusesWhatItDoesNotKnowWithExitCodeTwo)
{
    for (const QStringList& arguments : {QStringList{"--frobnicate"}, QStringList{"one.xml", "two.xml"}}) {
        const TCommandLine line = Parse(arguments);
        EXPECT_EQ(line.ExitCode, 2);
        EXPECT_TRUE(line.Output.isEmpty());
        EXPECT_TRUE(line.Error.startsWith("tessaroo: ")) << line.Error.toStdString();
    }
}

}  // namespace
