// Outlines made into trees: the depth in every spelling, symbolic categories, names that need
// escaping in XML, and every input that leaves the tree in doubt.

#include "TreeFormatTest.h"

#include "cli/treeformats/OutlineReader.h"
#include "tests/support/WholeFile.h"

#include <filesystem>

namespace {

class OutlineImport : public TTreeFormatTest {
protected:
    std::string Imported(const std::string& text)
    {
        return WrittenAndDescribed(ReadOutline(Input("outline.txt", text)));
    }

    std::string ErrorOf(const std::string& text)
    {
        return InputErrorOf([&] { ReadOutline(Input("outline.txt", text)); });
    }
};

const std::string ExpectedArts = "Arts #1 Top/Arts\n"
                                 "  Music #2 Top/Arts/Music\n"
                                 "    Jazz #3 Top/Arts/Music/Jazz\n"
                                 "  @Sounds -> Top/Arts/Music ^1\n"
                                 "Science #4 Top/Science\n";

TEST_F(OutlineImport, DepthFromTabsSpacesOrDashesGivesOneTree)
{
    EXPECT_EQ(Imported("Arts\n\tMusic\n\t\tJazz\n\t@Sounds -> Top/Arts/Music\nScience\n"), ExpectedArts);
    EXPECT_EQ(Imported("Arts\n   Music\n      Jazz\n   @Sounds -> Top/Arts/Music\nScience\n"), ExpectedArts);
    EXPECT_EQ(Imported("Arts\n- Music\n-- Jazz\n-@Sounds->Top/Arts/Music\nScience\n"), ExpectedArts);
    // Comments, blank lines, CR LF line ends, a byte-order mark and blanks at line ends count for nothing.
    EXPECT_EQ(Imported("\xEF\xBB\xBF# my directory\r\nArts  \r\n\r\n  Music\r\n    # jazz next\r\n    Jazz\r\n"
                       "  @Sounds  ->  Top/Arts/Music\t\r\n\r\nScience"),
              ExpectedArts);
}

TEST_F(OutlineImport, TreeFileIsWhatTheWindowWrites)
{
    Imported("Arts\n  Music\n  @Sounds -> Top/Arts/Music\n");
    const std::string written = ReadFile(PathOf("tree.xml"));
    EXPECT_EQ(written, ResavedByWindow(PathOf("tree.xml"), PathOf("resaved.xml")));
    EXPECT_TRUE(written.starts_with("<DUMMY_NODE>\r\n  <TXMLTreeNode>\r\n    <Data isNull=\"true\"/>\r\n")) << written;
}

TEST_F(OutlineImport, NamesKeepBlanksMarkupAndLettersBeyondAscii)
{
    EXPECT_EQ(Imported("Caf\xC3\xA9 & <Bar>\n"
                       "  Stra\xC3\x9F"
                       "e \"Nord\"\n"
                       "  \\@home\n"
                       "  \\#1 Hits\n"
                       "  \\-5 Degrees\n"
                       "  \\\\server\n"
                       "\xE6\x97\xA5\xE6\x9C\xAC\n"
                       "  @Ost -> Top/Caf\xC3\xA9_&_<Bar>/Stra\xC3\x9F"
                       "e_\"Nord\"\n"),
              "Caf\xC3\xA9 & <Bar> #1 Top/Caf\xC3\xA9_&_<Bar>\n"
              "  Stra\xC3\x9F"
              "e \"Nord\" #2 Top/Caf\xC3\xA9_&_<Bar>/Stra\xC3\x9F"
              "e_\"Nord\"\n"
              "  @home #3 Top/Caf\xC3\xA9_&_<Bar>/@home\n"
              "  #1 Hits #4 Top/Caf\xC3\xA9_&_<Bar>/#1_Hits\n"
              "  -5 Degrees #5 Top/Caf\xC3\xA9_&_<Bar>/-5_Degrees\n"
              "  \\server #6 Top/Caf\xC3\xA9_&_<Bar>/\\server\n"
              "\xE6\x97\xA5\xE6\x9C\xAC #7 Top/\xE6\x97\xA5\xE6\x9C\xAC\n"
              "  @Ost -> Top/Caf\xC3\xA9_&_<Bar>/Stra\xC3\x9F"
              "e_\"Nord\" ^7\n");
}

// The link stores its target's Url as the target has it, so that the feed finds it.
TEST_F(OutlineImport, SymbolicTargetMayComeLaterAndBeWrittenWithBlanksOrOtherCase)
{
    EXPECT_EQ(Imported("Arts\n  @Later -> top/science/rocket science\n  @Name with -> arrow -> TOP/ARTS\n"
                       "Science\n  Rocket Science\n"),
              "Arts #1 Top/Arts\n"
              "  @Later -> Top/Science/Rocket_Science ^1\n"
              "  @Name with -> arrow -> Top/Arts ^1\n"
              "Science #2 Top/Science\n"
              "  Rocket Science #3 Top/Science/Rocket_Science\n");
}

TEST_F(OutlineImport, SameNameUnderDifferentParentsIsFineSamePathIsNot)
{
    EXPECT_EQ(Imported("Arts\n  Music\nShopping\n  Music\n"),
              "Arts #1 Top/Arts\n  Music #2 Top/Arts/Music\nShopping #3 Top/Shopping\n  Music #4 Top/Shopping/Music\n");
    EXPECT_EQ(ErrorOf("Arts\n  Jazz Music\n  Jazz_Music\n"),
              "outline.txt:3: \"Jazz_Music\" has the same path as line 2: Top/Arts/Jazz_Music");
    EXPECT_EQ(ErrorOf("Arts\nScience\nARTS\n"), "outline.txt:3: \"ARTS\" has the same path as line 1: Top/Arts");
}

TEST_F(OutlineImport, DepthErrorsNameTheLineAndTheReason)
{
    EXPECT_EQ(ErrorOf("Arts\n- Music\n--- Jazz\n"), "outline.txt:3: depth jumps from 1 to 3");
    EXPECT_EQ(ErrorOf("# intro\n\n\tArts\n"),
              "outline.txt:3: the first entry is at depth 1; it must be at the top level");
    EXPECT_EQ(ErrorOf("Arts\n \tMusic\n"), "outline.txt:2: the indentation mixes tabs and spaces");
    EXPECT_EQ(ErrorOf("Arts\n\tMusic\n  Film\n"),
              "outline.txt:3: indented with spaces, but the file is indented with tabs (line 2)");
    EXPECT_EQ(ErrorOf("Arts\n  Music\n- Film\n"),
              "outline.txt:3: marked with dashes, but the file is indented with spaces (line 2)");
    EXPECT_EQ(ErrorOf("Arts\n    Music\n      Jazz\n"),
              "outline.txt:3: indented by 6 spaces, not a multiple of 4 (the unit of line 2)");
    EXPECT_EQ(ErrorOf("Arts\n  - Music\n"),
              "outline.txt:2: both indented and marked with dashes; use one or the other");
}

TEST_F(OutlineImport, EntryErrorsNameTheLineAndTheReason)
{
    EXPECT_EQ(ErrorOf("@Sounds -> Top/Arts\nArts\n"),
              "outline.txt:1: a symbolic category at the top level; it needs a category to appear under");
    EXPECT_EQ(ErrorOf("Arts\n  @Sounds -> Top/Arts\n    Music\n"),
              "outline.txt:3: an entry below the symbolic category of line 2; a symbolic category holds no entries");
    EXPECT_EQ(ErrorOf("Arts\n  Music\n  @Sounds -> Top/Arts/Musik\n"),
              "outline.txt:3: the symbolic target \"Top/Arts/Musik\" names no category");
    EXPECT_EQ(ErrorOf("Arts\n  @Sounds Top/Arts\n"),
              "outline.txt:2: a symbolic category is written \"@Name -> Top/Path\"");
    EXPECT_EQ(ErrorOf("Arts\n  @ -> Top/Arts\n"), "outline.txt:2: an entry without a name");
    EXPECT_EQ(ErrorOf("Arts\n--\n"), "outline.txt:2: depth jumps from 0 to 2");
    EXPECT_EQ(ErrorOf("Arts\n-\n"), "outline.txt:2: an entry without a name");
    EXPECT_EQ(ErrorOf("Arts\n  Bell\x07\n"), "outline.txt:2: a control character in the name \"Bell\x07\"");
    EXPECT_EQ(ErrorOf("Arts\n  Caf\xE9\n"), "outline.txt:2: not UTF-8 text; save the file as UTF-8");
    EXPECT_EQ(ErrorOf("# nothing yet\n\n"), "outline.txt: no categories in the file");
    EXPECT_EQ(InputErrorOf([&] { ReadOutline(PathOf("missing.txt")); }),
              "missing.txt: cannot be opened: No such file or directory");
}

}  // namespace
