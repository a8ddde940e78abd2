// Path lists made into trees: parents made once, the order of first appearance, IDs in tree
// order, and the errors of a list.

#include "TreeFormatTest.h"

#include "cli/treeformats/PathListReader.h"

namespace {

class PathListImport : public TTreeFormatTest {
protected:
    std::string Imported(const std::string& text, const std::string& separator = "/")
    {
        return WrittenAndDescribed(ReadPathList(Input("paths.txt", text), separator));
    }

    std::string ErrorOf(const std::string& text)
    {
        return InputErrorOf([&] { ReadPathList(Input("paths.txt", text), "/"); });
    }
};

TEST_F(PathListImport, ParentsAreMadeOnceInTheOrderTheyAreFirstNamed)
{
    // Science is named before Arts/Film, so it is made first, but the IDs follow the tree.
    EXPECT_EQ(Imported("Arts/Music/Jazz\nScience\n\n  Arts / Film & TV  \nArts/Music\nArts\r\nScience/Physics\n"),
              "Arts #1 Top/Arts\n"
              "  Music #2 Top/Arts/Music\n"
              "    Jazz #3 Top/Arts/Music/Jazz\n"
              "  Film & TV #4 Top/Arts/Film_&_TV\n"
              "Science #5 Top/Science\n"
              "  Physics #6 Top/Science/Physics\n");
}

TEST_F(PathListImport, SeparatorMayBeAnyText)
{
    EXPECT_EQ(Imported("Arts > Music > Rock/Pop\nArts > K\xC3\xBC"
                       "che <Neu>\n",
                       " > "),
              "Arts #1 Top/Arts\n"
              "  Music #2 Top/Arts/Music\n"
              "    Rock/Pop #3 Top/Arts/Music/Rock/Pop\n"
              "  K\xC3\xBC"
              "che <Neu> #4 Top/Arts/K\xC3\xBC"
              "che_<Neu>\n");
}

TEST_F(PathListImport, CompressedListReadsLikeAPlainOne)
{
    const std::string text = "Arts/Music\nArts/Film\n";
    EXPECT_EQ(WrittenAndDescribed(ReadPathList(CompressedInput("paths.gz", text), "/")),
              "Arts #1 Top/Arts\n  Music #2 Top/Arts/Music\n  Film #3 Top/Arts/Film\n");
}

TEST_F(PathListImport, ErrorsNameTheLineAndTheReason)
{
    EXPECT_EQ(ErrorOf("Arts/Music\nArts//Jazz\n"), "paths.txt:2: an empty name in the path \"Arts//Jazz\"");
    EXPECT_EQ(ErrorOf("/Arts\n"), "paths.txt:1: an empty name in the path \"/Arts\"");
    EXPECT_EQ(ErrorOf("Arts/Jazz Music\nArts/Jazz_Music\n"),
              "paths.txt:2: \"Jazz_Music\" has the same path as line 1: Top/Arts/Jazz_Music");
    EXPECT_EQ(ErrorOf("Arts/Music\narts/Film\n"), "paths.txt:2: \"arts\" has the same path as line 1: Top/Arts");
    EXPECT_EQ(ErrorOf("Arts\nM\xFCsik\n"), "paths.txt:2: not UTF-8 text; save the file as UTF-8");
    EXPECT_EQ(ErrorOf("\n  \n"), "paths.txt: no categories in the file");
}

}  // namespace
