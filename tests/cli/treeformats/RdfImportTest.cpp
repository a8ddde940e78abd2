// Structure dumps of an open directory made into trees: topics, titles and catids, symbolic
// entries, missing parents, --root, compressed dumps, and broken ones.

#include "TreeFormatTest.h"

#include "cli/treeformats/RdfDumpReader.h"
#include "tests/support/WholeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <vector>

namespace {

const std::string Dump = R"(<?xml version="1.0" encoding="UTF-8"?>
<RDF xmlns:r="http://www.w3.org/TR/RDF/" xmlns:d="http://purl.org/dc/elements/1.0/" xmlns="http://dmoz.org/rdf/">
<Topic r:id="Top">
  <catid>1</catid>
  <d:Title>Top</d:Title>
  <narrow r:resource="Top/Arts"/>
  <symbolic r:resource="Everything:Top/Arts"/>
</Topic>
<Topic r:id="Top/Arts">
  <catid>20</catid>
  <d:Title>Arts</d:Title>
  <d:Description>Art &amp; culture: <b>everything</b></d:Description>
  <lastUpdate>2001-01-01 00:00:00</lastUpdate>
  <narrow r:resource="Top/Arts/Music"/>
  <narrow1 r:resource="Top/Arts/Caf&#xE9;_Culture"/>
  <symbolic r:resource="Rocket Science:Top/Science/Rocket_Science"/>
</Topic>
<Topic r:id="Top/Arts/Music">
  <catid> 21 </catid>
  <d:Title>
    Music &amp; &lt;Sound&gt;
  </d:Title>
  <symbolic1 r:resource="Sounds: Too:Top/Arts/Music/Jazz"/>
  <symbolic2 r:resource="Gone:Top/Arts/Sculpture"/>
</Topic>
<Topic r:id="Top/Arts/Music/Jazz">
  <catid>22</catid>
  <d:Title>Jazz</d:Title>
  <editor r:resource="someone"/>
  <symbolic r:resource="Space Jazz:Top/Science/Rocket_Science"/>
</Topic>
<Topic r:id="Top/Arts/Caf&#xE9;_Culture">
  <catid>23</catid>
  <d:Title>Caf&#xE9; Culture</d:Title>
</Topic>
<Topic r:id="Top/Science/Rocket_Science">
  <catid>31</catid>
  <d:Title>Rocket Science</d:Title>
</Topic>
<Topic r:id="Top/Science">
  <catid>30</catid>
  <d:Title>Science</d:Title>
</Topic>
<Topic r:id="Top/Science/Physics/Quantum/Fields">
  <catid>33</catid>
  <d:Title>Fields</d:Title>
</Topic>
<Topic r:id="Top/Games/Chess">
  <catid>40</catid>
</Topic>
</RDF>
)";

// The line of the dump that holds the text.
std::size_t LineOf(const std::string& dump, const std::string& text)
{
    const std::size_t at = dump.find(text);
    return static_cast<std::size_t>(std::count(dump.begin(), dump.begin() + static_cast<long>(at), '\n')) + 1;
}

class RdfImport : public TTreeFormatTest {
protected:
    std::vector<std::string> Notes;

    std::string Imported(const std::string& file, const std::string& root = DefaultRdfRoot)
    {
        return WrittenAndDescribed(ReadRdfDump(file, root, [&](const std::string& note) { Notes.push_back(note); }));
    }

    std::string Note(const std::string& file, const std::string& lineText, const std::string& text) const
    {
        return PathOf(file) + ":" + std::to_string(LineOf(Dump, lineText)) + ": " + text;
    }

    std::string ErrorOf(const std::string& dump, const std::string& root = DefaultRdfRoot)
    {
        return InputErrorOf([&] { ReadRdfDump(Input("dump.rdf", dump), root, [](const std::string&) {}); });
    }
};

TEST_F(RdfImport, TopicsBecomeCategoriesAndSymbolicEntriesLinks)
{
    for (const std::string& file : {Input("dump.rdf", Dump), CompressedInput("dump.rdf.gz", Dump)}) {
        Notes.clear();
        EXPECT_EQ(Imported(file), "Arts #20 Top/Arts\n"
                                  "  Music & <Sound> #21 Top/Arts/Music\n"
                                  "    Jazz #22 Top/Arts/Music/Jazz\n"
                                  "      @Space Jazz -> Top/Science/Rocket_Science ^22\n"
                                  "    @Sounds: Too -> Top/Arts/Music/Jazz ^21\n"
                                  "  Caf\xC3\xA9 Culture #23 Top/Arts/Caf\xC3\xA9_Culture\n"
                                  "  @Rocket Science -> Top/Science/Rocket_Science ^20\n"
                                  "Science #30 Top/Science\n"
                                  "  Rocket Science #31 Top/Science/Rocket_Science\n"
                                  "  Fields #33 Top/Science/Physics/Quantum/Fields\n"
                                  "Chess #40 Top/Games/Chess\n");
        EXPECT_EQ(ReadFile(PathOf("tree.xml")), ResavedByWindow(PathOf("tree.xml"), PathOf("resaved.xml")));
        const std::string name = std::filesystem::path(file).filename();
        EXPECT_EQ(Notes,
                  (std::vector<std::string>{
                      Note(name, "Top/Science/Physics/Quantum/Fields",
                           "the parent of the topic \"Top/Science/Physics/Quantum/Fields\", "
                           "\"Top/Science/Physics/Quantum\", is missing from the dump; attached to \"Top/Science\""),
                      Note(name, "Top/Games/Chess",
                           "the parent of the topic \"Top/Games/Chess\", \"Top/Games\", is missing from the "
                           "dump; attached at the top level"),
                      Note(name, "Everything:",
                           "the symbolic entry \"Everything:Top/Arts\" is left out: it belongs to the root "
                           "\"Top\", which is no category"),
                      Note(name, "Gone:",
                           "the symbolic entry \"Gone:Top/Arts/Sculpture\" is left out: its target is missing "
                           "from the dump")}));
    }
}

TEST_F(RdfImport, RootKeepsOneSubtreeAndLeavesOutLinksThatLeaveIt)
{
    EXPECT_EQ(Imported(Input("dump.rdf", Dump), "top/arts/"), "Music & <Sound> #21 Top/Arts/Music\n"
                                                              "  Jazz #22 Top/Arts/Music/Jazz\n"
                                                              "  @Sounds: Too -> Top/Arts/Music/Jazz ^21\n"
                                                              "Caf\xC3\xA9 Culture #23 Top/Arts/Caf\xC3\xA9_Culture\n");
    EXPECT_EQ(Notes,
              (std::vector<std::string>{
                  Note("dump.rdf", "Rocket Science:",
                       "the symbolic entry \"Rocket Science:Top/Science/Rocket_Science\" is left out: it belongs "
                       "to the root \"top/arts\", which is no category"),
                  Note("dump.rdf", "Gone:",
                       "the symbolic entry \"Gone:Top/Arts/Sculpture\" is left out: its target is missing "
                       "from the dump"),
                  Note("dump.rdf", "Space Jazz:",
                       "the symbolic entry \"Space Jazz:Top/Science/Rocket_Science\" is left out: its target "
                       "lies outside \"top/arts\"")}));
}

TEST_F(RdfImport, DeclaredEncodingOtherThanUtf8IsRead)
{
    const std::string dump = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<RDF>\n"
                             "<Topic r:id=\"Top/Caf\xE9\"><catid>7</catid><d:Title>Caf\xE9</d:Title></Topic>\n</RDF>\n";
    EXPECT_EQ(Imported(Input("latin1.rdf", dump)), "Caf\xC3\xA9 #7 Top/Caf\xC3\xA9\n");
}

TEST_F(RdfImport, BrokenDumpsNameTheLineAndTheReason)
{
    const std::string head = "<RDF>\n";
    EXPECT_EQ(ErrorOf(head + "<Topic r:id=\"Top/A\">\n<d:Title>A</d:Title>\n</Topic>\n</RDF>"),
              "dump.rdf:2: the topic \"Top/A\" has no catid");
    EXPECT_EQ(ErrorOf(head + "<Topic r:id=\"Top/A\"><catid>12x</catid></Topic>\n</RDF>"),
              "dump.rdf:2: the topic \"Top/A\" has the catid \"12x\", which is no 32-bit number");
    EXPECT_EQ(ErrorOf(head + "<Topic r:id=\"Top/A\"><catid>2147483648</catid></Topic>\n</RDF>"),
              "dump.rdf:2: the topic \"Top/A\" has the catid \"2147483648\", which is no 32-bit number");
    EXPECT_EQ(ErrorOf(head + "<Topic r:id=\"Top/A\"><catid>5</catid></Topic>\n"
                             "<Topic r:id=\"Top/B\"><catid>5</catid></Topic>\n</RDF>"),
              "dump.rdf:3: the topic \"Top/B\" has the catid 5 of the topic at line 2");
    EXPECT_EQ(ErrorOf(head + "<Topic r:id=\"Top/A\"><catid>5</catid></Topic>\n"
                             "<Topic r:id=\"top/a\"><catid>6</catid></Topic>\n</RDF>"),
              "dump.rdf:3: the topic \"top/a\" is given twice (first at line 2)");
    EXPECT_EQ(ErrorOf(head + "<Topic><catid>5</catid></Topic>\n</RDF>"), "dump.rdf:2: a Topic without r:id");
    EXPECT_EQ(
        ErrorOf(head + "<Topic r:id=\"Top/A\"><catid>5</catid>\n<symbolic r:resource=\"Top/B\"/></Topic>\n</RDF>"),
        "dump.rdf:3: the symbolic entry \"Top/B\" is not written \"Name:Top/Path\"");
    EXPECT_EQ(ErrorOf(head + "<Topic r:id=\"Top/A\">\n<catid>5</catid>\n</Topc>\n</RDF>"),
              "dump.rdf:4: mismatched tag");
    EXPECT_EQ(ErrorOf(head + "<Topic r:id=\"Top/A\"><catid>5</catid></Topic>\n"), "dump.rdf:3: no element found");
    EXPECT_EQ(ErrorOf(head + "</RDF>"), "dump.rdf: no topics in the dump");
    EXPECT_EQ(ErrorOf(Dump, "Top/Games/Go"), "dump.rdf: no topic below \"Top/Games/Go\" in the dump");
}

// The file is parsed in pieces of 1 MiB, and a topic's texts may lie on both sides of a cut.
TEST_F(RdfImport, TopicCutBetweenPiecesOfTheFileKeepsItsTexts)
{
    constexpr std::size_t Piece = 1 << 20;
    const std::string before = "<RDF>\n<Topic r:id=\"Top/A\"><catid>1</catid><d:Description>";
    const std::string after = "</d:Description></Topic>\n";
    const std::string cut = "<Topic r:id=\"Top/B\">\n<catid>2</catid>\n<d:Title>Bee &amp; Co</d:Title>\n"
                            "<symbolic r:resource=\"Link:Top/A\"/>\n<symbolic1 r:resource=\"Self:Top/B\"/>\n"
                            "</Topic>\n<Topic r:id=\"Top/C\"><catid>3</catid></Topic>\n</RDF>\n";
    for (std::size_t inCut = 1; inCut < cut.size(); inCut += 5) {
        const std::string padding(Piece - inCut - before.size() - after.size(), 'x');
        const std::string dump = before + padding + after + cut;
        EXPECT_EQ(Imported(Input("dump.rdf", dump)), "A #1 Top/A\n"
                                                     "Bee & Co #2 Top/B\n"
                                                     "  @Link -> Top/A ^2\n"
                                                     "  @Self -> Top/B ^2\n"
                                                     "C #3 Top/C\n")
            << "cut " << inCut << " bytes into the second topic";
    }
}

// The dump is read on threads of their own; whatever ends the import ends them, also while
// they wait for more of a pipe.
TEST_F(RdfImport, ErrorsAndStopsEndTheReadingAtOnce)
{
    const std::string pipe = PathOf("dump.rdf");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    // Open for reading and writing, so that this end counts as a writer that has more to send.
    const int writer = ::open(pipe.c_str(), O_RDWR);
    ASSERT_GE(writer, 0);
    const std::string twice = "<RDF>\n<Topic r:id=\"Top/A\"><catid>1</catid></Topic>\n"
                              "<Topic r:id=\"Top/A\"><catid>2</catid></Topic>\n";
    ASSERT_EQ(::write(writer, twice.data(), twice.size()), static_cast<ssize_t>(twice.size()));
    EXPECT_EQ(InputErrorOf([&] { ReadRdfDump(pipe, DefaultRdfRoot, [](const std::string&) {}); }),
              "dump.rdf:3: the topic \"Top/A\" is given twice (first at line 2)");
    ::close(writer);

    TStopRequest stop;
    stop.Request();
    EXPECT_THROW(ReadRdfDump(
                     Input("whole.rdf", Dump), DefaultRdfRoot, [](const std::string&) {}, &stop),
                 EStopRequested);
}

TEST_F(RdfImport, CompressedDumpInMembersReadsWholeButCutShortOrBrokenIsAnError)
{
    const std::string half = Dump.substr(0, Dump.size() / 2);
    const std::string members =
        ReadFile(CompressedInput("a.gz", half)) + ReadFile(CompressedInput("b.gz", Dump.substr(half.size())));
    EXPECT_EQ(Imported(Input("members.rdf.gz", members)), Imported(Input("dump.rdf", Dump)));

    const std::string bytes = ReadFile(CompressedInput("whole.rdf.gz", Dump));
    const std::string cut = Input("cut.rdf.gz", bytes.substr(0, bytes.size() / 2));
    EXPECT_EQ(InputErrorOf([&] { ReadRdfDump(cut, DefaultRdfRoot, [](const std::string&) {}); }),
              "cut.rdf.gz: cannot be read: the compressed data is cut short");
    std::string damaged = bytes;
    damaged[damaged.size() / 2] = static_cast<char>(damaged[damaged.size() / 2] ^ 0x55);
    const std::string broken = Input("broken.rdf.gz", damaged);
    EXPECT_EQ(InputErrorOf([&] {
                  ReadRdfDump(broken, DefaultRdfRoot, [](const std::string&) {});
              }).rfind("broken.rdf.gz: cannot be read: broken compressed data (", 0),
              0u);
}

}  // namespace
