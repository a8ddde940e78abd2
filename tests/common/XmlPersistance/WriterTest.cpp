#include "EngineTrace.h"
#include "TestClasses.h"
#include "TestXml.h"

#include "common/XmlPersistance/ValueText.h"
#include "common/XmlPersistance/XmlPersistance.h"
#include "common/XmlPersistance/XmlPersistanceErrors.h"
#include "common/core/Text.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WholeFile.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <limits>

using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

std::unique_ptr<TLeaf> Leaf(std::int32_t value)
{
    auto leaf = std::make_unique<TLeaf>();
    leaf->Value = value;
    return leaf;
}

void FillAllKinds(TAllKinds& kinds)
{
    kinds.Count = -7;
    kinds.Letter = 'A';
    kinds.Color = clBlue;
    kinds.Flag = false;
    kinds.Ratio = 0.1;
    kinds.Short = "short";
    kinds.Options = 5;
    kinds.Owned = Leaf(3);
    kinds.Wide = u'\u00e9';
    kinds.Ansi = "a & b < c > d \"q\"";
    kinds.Unicode = u"\u00dcn\u00efc\u00f8d\u00e9";
    kinds.Any = "text";
    kinds.Big = -9007199254740993;
    kinds.Numbers = {1, -2};
    kinds.Words = {"one", ""};
    kinds.Leaves.push_back(Leaf(1));
    auto sub = std::make_unique<TSubLeaf>();
    sub->Value = 2;
    sub->Extra = "x";
    kinds.Leaves.push_back(std::move(sub));
}

const std::string AllKindsXml = CrLfLines({
    "<DUMMY_NODE>",
    "  <TAllKinds>",
    "    <Ansi>a &amp; b &lt; c &gt; d \"q\"</Ansi>",
    "    <Any>text</Any>",
    "    <Big>-9007199254740993</Big>",
    "    <Color>2</Color>",
    "    <Count>-7</Count>",
    "    <Flag>0</Flag>",
    "    <Leaves>",
    "      <TLeaf>",
    "        <Value>1</Value>",
    "      </TLeaf>",
    "      <TSubLeaf>",
    "        <Extra>x</Extra>",
    "        <Value>2</Value>",
    "      </TSubLeaf>",
    "    </Leaves>",
    "    <Letter>65</Letter>",
    "    <Link isNull=\"true\"/>",
    "    <Links/>",
    "    <Numbers>",
    "      <e v=\"1\"/>",
    "      <e v=\"-2\"/>",
    "    </Numbers>",
    "    <Options>5</Options>",
    "    <Owned>",
    "      <TLeaf>",
    "        <Value>3</Value>",
    "      </TLeaf>",
    "    </Owned>",
    "    <Ratio>0.1</Ratio>",
    "    <Short>short</Short>",
    "    <Unicode>\u00dcn\u00efc\u00f8d\u00e9</Unicode>",
    "    <Wide>233</Wide>",
    "    <Words>",
    "      <e>one</e>",
    "      <e/>",
    "    </Words>",
    "  </TAllKinds>",
    "</DUMMY_NODE>",
});

template <class TError>
void ExpectWriteFails(const TXMLPersistentObject& object, const std::string& message)
{
    try {
        TXmlPersistance::ObjectToXml(object, true);
        ADD_FAILURE() << "no error, expected: " << message;
    } catch (const TError& error) {
        EXPECT_EQ(error.message(), message);
        EXPECT_EQ(typeid(error), typeid(TError));
    }
}

}  // namespace

TEST(Writer, WritesEveryKindSortedByNameInTheIndentedLayout)
{
    TAllKinds kinds;
    FillAllKinds(kinds);
    EXPECT_EQ(TXmlPersistance::ObjectToXml(kinds, true), AllKindsXml);
}

TEST(Writer, BuildsTheSameElementsInADocument)
{
    TAllKinds kinds;
    FillAllKinds(kinds);
    pugi::xml_document document;
    TXmlPersistance::ObjectToNode(kinds, document.append_child("DUMMY_NODE"));
    std::ostringstream text;
    document.save(text, "  ", pugi::format_indent | pugi::format_no_declaration);
    std::string expected = AllKindsXml;
    for (std::size_t at; (at = expected.find("\r\n")) != std::string::npos;)
        expected.erase(at, 1);
    for (std::size_t at = 0; (at = expected.find("/>", at)) != std::string::npos; at += 3)
        expected.replace(at, 2, " />");
    EXPECT_EQ(text.str(), expected);
}

TEST(Writer, WritesTheObjectAloneWithoutIndentation)
{
    TSubLeaf sub;
    sub.Value = -1;
    sub.Extra = "<&>";
    EXPECT_EQ(TXmlPersistance::ObjectToXml(sub, false),
              "<TSubLeaf><Extra>&lt;&amp;&gt;</Extra><Value>-1</Value></TSubLeaf>");
}

TEST(Writer, WritesAnObjectReferencedTwiceTwice)
{
    TAllKinds kinds;
    kinds.Owned = Leaf(4);
    kinds.Link = kinds.Owned.get();
    kinds.Links = {kinds.Owned.get(), kinds.Owned.get()};
    const std::string text = TXmlPersistance::ObjectToXml(kinds, false);
    std::size_t copies = 0;
    for (std::size_t at = text.find("<TLeaf><Value>4</Value></TLeaf>"); at != std::string::npos;
         at = text.find("<TLeaf><Value>4</Value></TLeaf>", at + 1))
        ++copies;
    EXPECT_EQ(copies, 4u);
}

TEST(Writer, WritesNoElementForAnEventAndNoChildrenForAnEmptyClass)
{
    TWithEvent withEvent;
    withEvent.Value = 8;
    EXPECT_EQ(TXmlPersistance::ObjectToXml(withEvent, false), "<TWithEvent><Value>8</Value></TWithEvent>");
    EXPECT_EQ(TXmlPersistance::ObjectToXml(TEmpty(), true),
              CrLfLines({"<DUMMY_NODE>", "  <TEmpty/>", "</DUMMY_NODE>"}));
}

// A line feed ends its line as every line does; a carriage return is a character reference,
// so that the parser's line ends do not swallow it.
TEST(Writer, EndsLinesOfATextWithCrLfAndWritesCarriageReturnsAsReferences)
{
    TSubLeaf sub;
    sub.Extra = "first\nsecond\r\nthird\rfourth";
    EXPECT_THAT(TXmlPersistance::ObjectToXml(sub, true),
                HasSubstr("<Extra>first\r\nsecond&#13;\r\nthird&#13;fourth</Extra>\r\n"));
    EXPECT_THAT(TXmlPersistance::ObjectToXml(sub, false),
                HasSubstr("<Extra>first\nsecond&#13;\nthird&#13;fourth</Extra>"));
}

TEST(Writer, RefusesUnsupportedKinds)
{
    ExpectWriteFails<EXmlPersistance>(TWithUnsupported<pkUnknown>(), "Property type 0 not implemented.");
    ExpectWriteFails<EXmlPersistance>(TWithUnsupported<pkArray>(), "Property type 13 not implemented.");
    ExpectWriteFails<EXmlPersistance>(TWithUnsupported<pkRecord>(), "Property type 14 not implemented.");
    ExpectWriteFails<EXmlPersistance>(TWithUnsupported<pkInterface>(), "Property type 15 not implemented.");

    TWithFloatArray floats;
    floats.Values = {1.5};
    ExpectWriteFails<Exception>(floats, "Element type 4 not implemented.");
    ExpectWriteFails<Exception>(TWithFloatArray(), "Element type 4 not implemented.");
    ExpectWriteFails<EAssertionFailed>(TWithMatrix(),
                                       "Only single dimension arrays are supported. (common/XmlPersistance, line 390)");
}

TEST(Writer, RefusesAnArraySlotWithoutObject)
{
    TAllKinds kinds;
    kinds.Links = {nullptr};
    ExpectWriteFails<EXmlPersistance>(kinds, "Slot 0 of array Links holds no object.");
}

TEST(Writer, TracesPropertiesClassesArraysAndVariants)
{
    TAllKinds kinds;
    kinds.Any = TVariant::Null();
    kinds.Numbers = {5};
    kinds.Owned = Leaf(1);
    const std::uintmax_t before = EngineLogSize();
    TXmlPersistance::ObjectToXml(kinds, true);
    const std::vector<std::string> trace = EngineLogMessagesSince(before);
    auto has = [&trace](const std::string& line) { return std::find(trace.begin(), trace.end(), line) != trace.end(); };
    EXPECT_THAT(std::vector(trace.begin(), trace.begin() + 9),
                ElementsAre("saving to xml TAllKinds", "- has 18 properties", "- object is nil? False",
                            "- propinfo is nil? False", "- propinfo 1: Ansi", "- propinfo 1 proptype: AnsiString",
                            "- propinfo 1: Ansi", "- propinfo 1 propvalue: ", "- propinfo is nil? False"));
    EXPECT_TRUE(has("- propinfo 2 propvalue: <variant(Could not convert variant of type (Null) into type (String))>"));
    EXPECT_TRUE(has("- propinfo 7 dynarray propvalue length: 0"));
    EXPECT_TRUE(has("- propinfo 9 class propvalue: nil"));
    EXPECT_TRUE(has("- propinfo 11 dynarray propvalue length: 1"));
    EXPECT_TRUE(has("- propinfo 13 class propvalue: not nil"));
    EXPECT_TRUE(has("saving to xml TLeaf"));
    EXPECT_TRUE(has("- propinfo 14 propvalue: 0"));
    ASSERT_GE(trace.size(), 2u);
    EXPECT_EQ(trace[trace.size() - 2], "done saving to xml TAllKinds");
    EXPECT_EQ(trace.back(), "Saved object to xml:");
}

TEST(Writer, LogsTheWholeTextAfterSaving)
{
    const std::uintmax_t before = EngineLogSize();
    const std::string text = TXmlPersistance::ObjectToXml(TEmpty(), true);
    const std::string log = EngineLogTextSince(before);
    EXPECT_THAT(log, ::testing::EndsWith("Saved object to xml:\r\n" + text + "\r\n"));
}

TEST(Writer, WritesNoTraceBelowTheThreshold)
{
    const TLogLevel saved = GlobalLogLevel;
    GlobalLogLevel = llDebug;
    const std::uintmax_t before = EngineLogSize();
    TAllKinds kinds;
    FillAllKinds(kinds);
    TXmlPersistance::ObjectToXml(kinds, true);
    GlobalLogLevel = saved;
    EXPECT_EQ(EngineLogSize(), before);
}

// Values that need no more than 15 digits keep the texts of the general format.
TEST(FloatText, UsesTheGeneralFormatWithTheFewestDigitsThatReadBack)
{
    EXPECT_EQ(FloatToText(0.1), "0.1");
    EXPECT_EQ(FloatToText(-2.5), "-2.5");
    EXPECT_EQ(FloatToText(0), "0");
    EXPECT_EQ(FloatToText(-0.0), "-0");
    EXPECT_EQ(FloatToText(1e20), "1E20");
    EXPECT_EQ(FloatToText(1.5e-5), "1.5E-5");
    EXPECT_EQ(FloatToText(0.0001), "0.0001");
    EXPECT_EQ(FloatToText(123456789012345.0), "123456789012345");
    EXPECT_EQ(FloatToText(1e15), "1E15");
    EXPECT_EQ(FloatToText(1.0 / 3), "0.3333333333333333");
    EXPECT_EQ(FloatToText(123456789012345678.0), "1.2345678901234568E17");
    EXPECT_EQ(FloatToText(DBL_MAX), "1.7976931348623157E308");
    EXPECT_EQ(FloatToText(-DBL_TRUE_MIN), "-5E-324");
    EXPECT_EQ(FloatToText(std::numeric_limits<double>::quiet_NaN()), "NAN");
    EXPECT_EQ(FloatToText(-std::numeric_limits<double>::quiet_NaN()), "NAN");
    EXPECT_EQ(FloatToText(HUGE_VAL), "INF");
    EXPECT_EQ(FloatToText(-HUGE_VAL), "-INF");

    for (const double value :
         {DBL_MAX, -DBL_MAX, DBL_MIN, DBL_TRUE_MIN, 1.0 / 3, 0.1 + 0.2, 2.0 / 3 * 1e-300, HUGE_VAL, -HUGE_VAL, -0.0})
        EXPECT_EQ(std::bit_cast<std::uint64_t>(TextToFloat(FloatToText(value))), std::bit_cast<std::uint64_t>(value))
            << FloatToText(value);
    EXPECT_TRUE(std::isnan(TextToFloat(FloatToText(std::numeric_limits<double>::quiet_NaN()))));
    EXPECT_EQ(TextToFloat("1E20"), 1e20);
    EXPECT_EQ(TextToFloat("-0.25"), -0.25);
    EXPECT_THROW(TextToFloat("0,25"), EConvertError);
    EXPECT_THROW(TextToFloat(std::nullopt), EConvertError);
}

// The earlier writer rounded to 15 digits, which put the largest doubles just beyond the
// range of a double.
TEST(FloatText, ReadsTheTextsOfEarlierFiles)
{
    EXPECT_EQ(TextToFloat("1.79769313486232E308"), DBL_MAX);
    EXPECT_EQ(TextToFloat("-1.79769313486232E308"), -DBL_MAX);
    EXPECT_EQ(TextToFloat("4.94065645841247E-324"), DBL_TRUE_MIN);
    EXPECT_EQ(TextToFloat("1E-400"), 0.0);
    EXPECT_TRUE(std::isnan(TextToFloat("-NAN")));
    EXPECT_EQ(TextToFloat("-INF"), -HUGE_VAL);
}

class WriterFile : public ::testing::Test {
protected:
    TTempFolder Folder;
    std::string Target = Folder.PathOf("tree.xml");

    std::vector<std::string> FolderEntries() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(Folder.Path()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(WriterFile, ReplacesTheFileWithTheIndentedTextKeepingItsRights)
{
    WriteFile(Target, "earlier content that is longer than the new one, and more, and more, and more");
    ::chmod(Target.c_str(), 0640);
    TAllKinds kinds;
    FillAllKinds(kinds);
    TXmlPersistance::ObjectToFile(kinds, Target);
    EXPECT_EQ(ReadFile(Target), AllKindsXml);
    struct stat status {};
    ASSERT_EQ(::stat(Target.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    EXPECT_THAT(FolderEntries(), ElementsAre("tree.xml"));
}

TEST_F(WriterFile, ReadsBackWhatItWroteAndWritesItAgainUnchanged)
{
    RegisterTestClasses();
    TAllKinds kinds;
    FillAllKinds(kinds);
    kinds.Ratio = 1.0 / 3;
    kinds.Any = TVariant::Null();
    kinds.Links = {kinds.Owned.get()};
    TXmlPersistance::ObjectToFile(kinds, Target);
    const std::string written = ReadFile(Target);

    const TXmlPersistance::TReadResult read = TXmlPersistance::FileToObject(Target);
    auto& again = dynamic_cast<TAllKinds&>(*read.Object);
    EXPECT_EQ(again.Unicode, kinds.Unicode);
    EXPECT_TRUE(again.Any.IsNull());
    TXmlPersistance::ObjectToFile(again, Target);
    EXPECT_EQ(ReadFile(Target), written);
}

// Each value through a file and back: doubles at their limits, line breaks of every kind
// in a text, and chars above 127, which are written as their unsigned code.
TEST_F(WriterFile, BringsEveryValueBackFromTheFile)
{
    RegisterTestClasses();
    // Each read lives until the next one.
    TXmlPersistance::TReadResult lastRead;
    const auto roundTrip = [this, &lastRead](const TAllKinds& kinds) {
        TXmlPersistance::ObjectToFile(kinds, Target);
        lastRead = TXmlPersistance::FileToObject(Target);
        return &dynamic_cast<TAllKinds&>(*lastRead.Object);
    };
    TAllKinds kinds;
    FillAllKinds(kinds);
    for (const double value : {DBL_MAX, -DBL_MAX, DBL_MIN, DBL_TRUE_MIN, HUGE_VAL, -HUGE_VAL}) {
        kinds.Ratio = value;
        EXPECT_EQ(roundTrip(kinds)->Ratio, value) << FloatToText(value);
    }
    kinds.Ratio = std::numeric_limits<double>::quiet_NaN();
    EXPECT_TRUE(std::isnan(roundTrip(kinds)->Ratio));
    for (const std::string text : {"a\rb", "a\r\nb", "a\nb", "\r", "\r\n\r\n", "\n\r"}) {
        kinds.Ansi = text;
        kinds.Unicode = Utf8ToUtf16(text);
        kinds.Words = {text};
        const auto read = roundTrip(kinds);
        EXPECT_EQ(read->Ansi, text);
        EXPECT_EQ(read->Unicode, kinds.Unicode);
        EXPECT_EQ(read->Words, kinds.Words);
    }
    for (int code = 0x80; code <= 0xFF; ++code) {
        kinds.Letter = static_cast<char>(code);
        EXPECT_EQ(roundTrip(kinds)->Letter, kinds.Letter) << code;
    }
    EXPECT_THAT(ReadFile(Target), HasSubstr("<Letter>255</Letter>"));
    // Files written before hold the signed code.
    std::string earlier = ReadFile(Target);
    earlier.replace(earlier.find("<Letter>255<"), 12, "<Letter>-1<");
    WriteFile(Target, earlier);
    EXPECT_EQ(dynamic_cast<TAllKinds&>(*TXmlPersistance::FileToObject(Target).Object).Letter, static_cast<char>(0xFF));
}

TEST_F(WriterFile, KeepsTheEarlierFileWhenTheTextCannotBeProduced)
{
    WriteFile(Target, "earlier");
    TAllKinds kinds;
    FillAllKinds(kinds);
    kinds.Links = {kinds.Owned.get(), nullptr};
    EXPECT_THROW(TXmlPersistance::ObjectToFile(kinds, Target), EXmlPersistance);
    EXPECT_EQ(ReadFile(Target), "earlier");
    EXPECT_THAT(FolderEntries(), ElementsAre("tree.xml"));
}

// Below the threshold the text streams into the new file, which a failure must remove.
TEST_F(WriterFile, KeepsTheEarlierFileWhenTheStreamedTextFails)
{
    WriteFile(Target, "earlier");
    TAllKinds kinds;
    FillAllKinds(kinds);
    kinds.Links = {kinds.Owned.get(), nullptr};
    const TLogLevel saved = GlobalLogLevel;
    GlobalLogLevel = llDebug;
    EXPECT_THROW(TXmlPersistance::ObjectToFile(kinds, Target), EXmlPersistance);
    GlobalLogLevel = saved;
    EXPECT_EQ(ReadFile(Target), "earlier");
    EXPECT_THAT(FolderEntries(), ElementsAre("tree.xml"));
}

TEST_F(WriterFile, StreamsTheSameTextBelowTheThreshold)
{
    TAllKinds kinds;
    FillAllKinds(kinds);
    const TLogLevel saved = GlobalLogLevel;
    GlobalLogLevel = llDebug;
    TXmlPersistance::ObjectToFile(kinds, Target);
    GlobalLogLevel = saved;
    EXPECT_EQ(ReadFile(Target), AllKindsXml);
}

// A text of several megabytes is produced in pieces; the file and the log record get all of
// it, in order, as the text produced without trace.
TEST_F(WriterFile, WritesATextOfManyPiecesWholeToTheFileAndTheLog)
{
    TAllKinds kinds;
    FillAllKinds(kinds);
    for (int line = 0; kinds.Ansi.size() < 3 * 1024 * 1024; ++line)
        kinds.Ansi += "line " + std::to_string(line) + " <&> \n";
    const TLogLevel saved = GlobalLogLevel;
    GlobalLogLevel = llDebug;
    const std::string expected = TXmlPersistance::ObjectToXml(kinds, true);
    GlobalLogLevel = saved;

    TXmlPersistance::ObjectToFile(kinds, Target);
    EXPECT_TRUE(ReadFile(Target) == expected);
    // The log may have been archived on the way; the record ends the file either way.
    EXPECT_TRUE(EngineLogTextSince(0).ends_with("Saved object to xml:\r\n" + expected + "\r\n"));
    EXPECT_TRUE(TXmlPersistance::ObjectToXml(kinds, true) == expected);
}

TEST_F(WriterFile, LeavesNothingBehindWhenTheTargetCannotBeReplaced)
{
    std::filesystem::create_directory(Target);
    WriteFile(Target + "/inside", "kept");
    try {
        TXmlPersistance::ObjectToFile(TEmpty(), Target);
        ADD_FAILURE() << "a folder was replaced";
    } catch (const EFileWriteError& error) {
        EXPECT_THAT(error.message(), HasSubstr("Cannot write file \"" + Target + "\". "));
    }
    EXPECT_EQ(ReadFile(Target + "/inside"), "kept");
    EXPECT_THAT(FolderEntries(), ElementsAre("tree.xml"));
}

TEST_F(WriterFile, NamesTheFileWhenItsFolderIsMissing)
{
    const std::string missing = Folder.PathOf("no-such-folder/tree.xml");
    try {
        TXmlPersistance::ObjectToFile(TEmpty(), missing);
        ADD_FAILURE() << "wrote into a missing folder";
    } catch (const EFileWriteError& error) {
        EXPECT_EQ(error.message(), "Cannot create file \"" + missing + "\". No such file or directory");
    }
}
