#include "EngineTrace.h"
#include "TestClasses.h"
#include "TestXml.h"

#include "common/XmlPersistance/XmlPersistance.h"
#include "common/XmlPersistance/XmlPersistanceErrors.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WholeFile.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::HasSubstr;

namespace {

class Reader : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterTestClasses();
        TLeaf::Live = 0;
    }

    TXmlPersistance::TReadResult Read(const std::string& xml)
    {
        WriteFile(FileName, xml);
        return TXmlPersistance::FileToObject(FileName);
    }

    // The object read, which lives with everything else the read built until the next read.
    template <class T>
    T* ReadAs(const std::string& xml)
    {
        Result = Read(xml);
        auto* typed = dynamic_cast<T*>(Result.Object.get());
        EXPECT_NE(typed, nullptr) << "read a " << Result.Object->XmlClass().ClassName();
        return typed;
    }

    TXmlPersistance::TReadResult Result;

    // The message with the place in the file after it ("line L, column C"), and that
    // nothing built before the failure is left alive.
    template <class TError>
    void ExpectReadFailsAt(const std::string& xml, const std::string& message, const std::string& place)
    {
        Result = {};
        try {
            Read(xml);
            ADD_FAILURE() << "no error, expected: " << message;
        } catch (const TError& error) {
            EXPECT_EQ(error.message(), message + " (" + FileName + ", " + place + ")");
            EXPECT_EQ(typeid(error), typeid(TError));
        }
        EXPECT_EQ(TLeaf::Live, 0);
    }

    // The same where the place does not matter to the test: all on line 1.
    template <class TError>
    void ExpectReadFails(const std::string& xml, const std::string& message)
    {
        Result = {};
        try {
            Read(xml);
            ADD_FAILURE() << "no error, expected: " << message;
        } catch (const TError& error) {
            EXPECT_THAT(error.message(), ::testing::StartsWith(message + " (" + FileName + ", line 1, column "));
            EXPECT_EQ(typeid(error), typeid(TError));
        }
        EXPECT_EQ(TLeaf::Live, 0);
    }

    TTempFolder Folder;
    std::string FileName = Folder.PathOf("object.xml");
};

std::string LeafXml(std::int32_t value, const std::string& className = "TLeaf")
{
    return "<" + className + "><Value>" + std::to_string(value) + "</Value></" + className + ">";
}

// Every property of TAllKinds, with the given elements in place of the last ones.
std::string AllKindsXml(const std::string& tail = "<Words/>")
{
    return "<TAllKinds><Ansi/><Any/><Big>0</Big><Color>0</Color><Count>0</Count><Flag>0</Flag>"
           "<Leaves>" +
           LeafXml(1) + LeafXml(2, "TSubLeaf").insert(10, "<Extra/>") +
           "</Leaves>"
           "<Letter>0</Letter><Link>" +
           LeafXml(3) + "</Link><Links>" + LeafXml(4) + LeafXml(5) +
           "</Links>"
           "<Numbers/><Options>0</Options><Owned>" +
           LeafXml(6) +
           "</Owned><Ratio>0</Ratio><Short/>"
           "<Unicode/><Wide>0</Wide>" +
           tail + "</TAllKinds>";
}

std::string Replaced(std::string text, const std::string& from, const std::string& to)
{
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return text.replace(at, from.size(), to);
}

}  // namespace

TEST_F(Reader, ReadsEveryKind)
{
    const auto kinds = ReadAs<TAllKinds>(CrLfLines({
        "<DUMMY_NODE>",
        "  <TAllKinds>",
        "    <Ansi>a &amp; b &lt; c &gt; d \"q\"</Ansi>",
        "    <Any>text</Any>",
        "    <Big>-9007199254740993</Big>",
        "    <Color>2</Color>",
        "    <Count>-2147483648</Count>",
        "    <Flag>1</Flag>",
        "    <Leaves><TLeaf><Value>1</Value></TLeaf><TSubLeaf><Extra>x</Extra><Value>2</Value></TSubLeaf></Leaves>",
        "    <Letter>65</Letter>",
        "    <Link><TLeaf><Value>3</Value></TLeaf></Link>",
        "    <Links><TSubLeaf><Extra/><Value>4</Value></TSubLeaf></Links>",
        "    <Numbers><e v=\"1\"/><x v=\"-2\"/></Numbers>",
        "    <Options>5</Options>",
        "    <Owned isNull=\"false\"><TLeaf><Value>6</Value></TLeaf></Owned>",
        "    <Ratio>1.5E-5</Ratio>",
        "    <Short>short</Short>",
        "    <Unicode>\u00dcn\u00efc\u00f8d\u00e9 \u4e2d</Unicode>",
        "    <Wide>233</Wide>",
        "    <Words><e>one</e><e/><e> </e></Words>",
        "  </TAllKinds>",
        "</DUMMY_NODE>",
    }));
    ASSERT_TRUE(kinds);
    EXPECT_EQ(kinds->Ansi, "a & b < c > d \"q\"");
    EXPECT_EQ(kinds->Any, TVariant("text"));
    EXPECT_EQ(kinds->Big, -9007199254740993);
    EXPECT_EQ(kinds->Color, clBlue);
    EXPECT_EQ(kinds->Count, -2147483647 - 1);
    EXPECT_TRUE(kinds->Flag);
    ASSERT_EQ(kinds->Leaves.size(), 2u);
    EXPECT_EQ(kinds->Leaves[0]->Value, 1);
    ASSERT_EQ(&kinds->Leaves[1]->XmlClass(), &TSubLeaf::ClassInfo());
    EXPECT_EQ(static_cast<TSubLeaf&>(*kinds->Leaves[1]).Extra, "x");
    EXPECT_EQ(kinds->Letter, 'A');
    ASSERT_NE(kinds->Link, nullptr);
    EXPECT_EQ(kinds->Link->Value, 3);
    ASSERT_EQ(kinds->Links.size(), 1u);
    EXPECT_EQ(kinds->Links[0]->Value, 4);
    EXPECT_EQ(kinds->Numbers, (std::vector<std::int32_t>{1, -2}));
    EXPECT_EQ(kinds->Options, 5u);
    ASSERT_NE(kinds->Owned, nullptr);
    EXPECT_EQ(kinds->Owned->Value, 6);
    EXPECT_EQ(kinds->Ratio, 1.5e-5);
    EXPECT_EQ(kinds->Short, "short");
    EXPECT_EQ(kinds->Unicode, u"\u00dcn\u00efc\u00f8d\u00e9 \u4e2d");
    EXPECT_EQ(kinds->Wide, u'\u00e9');
    EXPECT_EQ(kinds->Words, (std::vector<std::string>{"one", "", " "}));
    EXPECT_EQ(TLeaf::Live, 5);
    ASSERT_EQ(Result.Borrowed.size(), 2u) << "Link and Links, in the order read";
    EXPECT_EQ(Result.Borrowed[0].get(), kinds->Link);
    EXPECT_EQ(Result.Borrowed[1].get(), kinds->Links[0]);
}

TEST_F(Reader, MatchesNamesWithoutRegardToCaseInAnyOrder)
{
    const auto sub = ReadAs<TSubLeaf>("<tsubleaf><VALUE>7</VALUE><extra>e</extra></tsubleaf>");
    ASSERT_TRUE(sub);
    EXPECT_EQ(sub->Value, 7);
    EXPECT_EQ(sub->Extra, "e");
}

TEST_F(Reader, TakesTheWrapperOnlyWhenItIsSpelledExactly)
{
    EXPECT_EQ(ReadAs<TLeaf>(LeafXml(8))->Value, 8);
    EXPECT_EQ(ReadAs<TLeaf>("<DUMMY_NODE>" + LeafXml(9) + "</DUMMY_NODE>")->Value, 9);
    ExpectReadFails<EXmlPersistance>("<dummy_node>" + LeafXml(9) + "</dummy_node>",
                                     "Xml class dummy_node is not registered.");
    ExpectReadFails<EXmlDomError>("<DUMMY_NODE>\r\n</DUMMY_NODE>", "Element DUMMY_NODE does not contain a child node");
}

TEST_F(Reader, AcceptsADeclarationAndAByteOrderMark)
{
    EXPECT_EQ(
        ReadAs<TLeaf>("\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<!-- saved -->" + LeafXml(3))->Value,
        3);
}

TEST_F(Reader, LetADuplicatedPropertyTakeItsLastValue)
{
    const auto sub = ReadAs<TSubLeaf>("<TSubLeaf><Extra>a</Extra><Extra>b</Extra></TSubLeaf>");
    ASSERT_TRUE(sub);
    EXPECT_EQ(sub->Extra, "b");
    EXPECT_EQ(sub->Value, 0);
}

TEST_F(Reader, FreesWhatADuplicatedObjectPropertyReplaces)
{
    const auto kinds = ReadAs<TAllKinds>(AllKindsXml("<Link>" + LeafXml(30) + "</Link>"));
    ASSERT_TRUE(kinds);
    EXPECT_EQ(kinds->Link->Value, 30);
    EXPECT_TRUE(kinds->Words.empty());
    EXPECT_EQ(TLeaf::Live, 6) << "the first Link is gone";
    EXPECT_EQ(Result.Borrowed.size(), 3u);

    const auto again = ReadAs<TAllKinds>(AllKindsXml("<Links>" + LeafXml(40) + "</Links>"));
    ASSERT_TRUE(again);
    ASSERT_EQ(again->Links.size(), 1u);
    EXPECT_EQ(again->Links[0]->Value, 40);
    EXPECT_EQ(TLeaf::Live, 5) << "the first two Links are gone";
    const auto owned = ReadAs<TAllKinds>(AllKindsXml("<Owned isNull=\"true\"/>"));
    EXPECT_EQ(owned->Owned, nullptr);
    EXPECT_EQ(TLeaf::Live, 5) << "the first Owned is gone";
}

TEST_F(Reader, FreesWhatAReplacedObjectReferredTo)
{
    const std::string inner = "<Inner>" + AllKindsXml() + "</Inner>";
    const auto holder = ReadAs<THolder>("<THolder>" + inner + inner + "</THolder>");
    ASSERT_TRUE(holder);
    ASSERT_TRUE(holder->Inner);
    EXPECT_EQ(TLeaf::Live, 6) << "the first Inner and what it referred to are gone";
    EXPECT_EQ(Result.Borrowed.size(), 3u);
}

TEST_F(Reader, ReadsNullEmptyAndBlankValues)
{
    const auto kinds = ReadAs<TAllKinds>(Replaced(Replaced(AllKindsXml(), "<Ansi/>", "<Ansi></Ansi>"),
                                                  "<Owned>" + LeafXml(6), "<Owned isNull=\"true\">" + LeafXml(60)));
    ASSERT_TRUE(kinds);
    EXPECT_EQ(kinds->Ansi, "");
    EXPECT_TRUE(kinds->Any.IsNull());
    EXPECT_EQ(kinds->Owned, nullptr);
    EXPECT_TRUE(kinds->Numbers.empty());
    EXPECT_EQ(ReadAs<TSubLeaf>("<TSubLeaf><Extra>  </Extra><Value>1</Value></TSubLeaf>")->Extra, "  ");
    EXPECT_TRUE(ReadAs<TEmpty>("<TEmpty/>"));
    EXPECT_TRUE(ReadAs<TEmpty>("<TEmpty>\r\n  </TEmpty>"));
}

TEST_F(Reader, ReportsUnregisteredClassesAndPropertyListsThatDoNotFit)
{
    ExpectReadFails<EXmlPersistance>("<TNothing/>", "Xml class TNothing is not registered.");
    ExpectReadFails<EXmlPersistance>("<TBaseLeaf><Value>1</Value></TBaseLeaf>",
                                     "Xml class TBaseLeaf is not registered.");
    ExpectReadFails<EXmlPersistance>(
        "<TSubLeaf><Value>1</Value></TSubLeaf>",
        "Property list not consistent. 2 properties found in class and 1 properties found in XML.");
    ExpectReadFails<EXmlPersistance>("<TSubLeaf><Value>1</Value><Other/></TSubLeaf>",
                                     "Property name Other not found in class.");
    ExpectReadFails<EXmlPersistance>("<TSubLeaf>loose<Value>1</Value></TSubLeaf>",
                                     "Property name #text not found in class.");
    // The writer leaves an event out, while the reader counts it.
    ExpectReadFails<EXmlPersistance>(
        "<TWithEvent><Value>1</Value></TWithEvent>",
        "Property list not consistent. 2 properties found in class and 1 properties found in XML.");
}

TEST_F(Reader, RefusesUnsupportedKinds)
{
    ExpectReadFails<EXmlPersistance>("<TWithUnsupported0><Odd>1</Odd></TWithUnsupported0>",
                                     "Property type 0 not implemented.");
    ExpectReadFails<EXmlPersistance>("<TWithUnsupported13><Odd/></TWithUnsupported13>",
                                     "Property type 13 not implemented.");
    ExpectReadFails<EXmlPersistance>("<TWithUnsupported14><Odd>x</Odd></TWithUnsupported14>",
                                     "Property type 14 not implemented.");
    ExpectReadFails<EXmlPersistance>("<TWithUnsupported15><Odd/></TWithUnsupported15>",
                                     "Property type 15 not implemented.");
    ExpectReadFails<Exception>("<TWithFloatArray><Values><e>1.5</e></Values></TWithFloatArray>",
                               "Element type 4 not implemented.");
    EXPECT_TRUE(ReadAs<TWithFloatArray>("<TWithFloatArray><Values/></TWithFloatArray>"));
}

TEST_F(Reader, RefusesValuesThatAreNotASingleText)
{
    ExpectReadFails<EXmlDomError>("<TLeaf><Value><Number>1</Number></Value></TLeaf>",
                                  "Element does not contain a single text node");
    ExpectReadFails<EXmlDomError>("<TLeaf><Value>1<![CDATA[2]]></Value></TLeaf>",
                                  "Element does not contain a single text node");
    ExpectReadFails<EXmlDomError>(AllKindsXml("<Words><e><b/></e></Words>"),
                                  "Element does not contain a single text node");
    ExpectReadFails<EXmlDomError>(Replaced(AllKindsXml(), "<Owned>" + LeafXml(6) + "</Owned>", "<Owned/>"),
                                  "Element Owned does not contain a child node");
}

TEST_F(Reader, RefusesNumbersThatDoNotConvert)
{
    ExpectReadFails<EConvertError>("<TLeaf><Value>abc</Value></TLeaf>", "'abc' is not a valid integer value");
    ExpectReadFails<EConvertError>("<TLeaf><Value>2147483648</Value></TLeaf>",
                                   "'2147483648' is not a valid integer value");
    ExpectReadFails<EConvertError>("<TLeaf><Value> 1</Value></TLeaf>", "' 1' is not a valid integer value");
    ExpectReadFails<EConvertError>("<TLeaf><Value/></TLeaf>",
                                   "Could not convert variant of type (Null) into type (Integer)");
    ExpectReadFails<EConvertError>("<TLeaf><Value></Value></TLeaf>",
                                   "Could not convert variant of type (Null) into type (Integer)");
    ExpectReadFails<EConvertError>(Replaced(AllKindsXml(), "<Ratio>0", "<Ratio>0,5"),
                                   "'0,5' is not a valid floating point value");
    ExpectReadFails<EConvertError>(Replaced(AllKindsXml(), "<Numbers/>", "<Numbers><e/></Numbers>"),
                                   "Could not convert variant of type (Null) into type (Integer)");
}

TEST_F(Reader, RefusesObjectsThatDoNotFitTheirProperty)
{
    ExpectReadFails<EXmlPersistance>(AllKindsXml("<Link><TStranger/></Link>"),
                                     "Xml class TStranger does not fit property Link.");
    ExpectReadFails<EXmlPersistance>(AllKindsXml("<Leaves><TLeaf><Value>1</Value></TLeaf><TEmpty/></Leaves>"),
                                     "Xml class TEmpty does not fit property Leaves.");
    const auto derived = ReadAs<TAllKinds>(AllKindsXml("<Owned><TSubLeaf><Extra/><Value>1</Value></TSubLeaf></Owned>"));
    ASSERT_TRUE(derived);
    EXPECT_EQ(&derived->Owned->XmlClass(), &TSubLeaf::ClassInfo());
}

TEST_F(Reader, ReportsFilesThatAreMissingOrNotWellFormed)
{
    try {
        TXmlPersistance::FileToObject(Folder.PathOf("missing.xml"));
        ADD_FAILURE() << "read a missing file";
    } catch (const EXmlDomError& error) {
        EXPECT_EQ(error.message(),
                  "Cannot open file \"" + Folder.PathOf("missing.xml") + "\". No such file or directory");
    }
    ExpectReadFailsAt<EXmlDomError>("<TLeaf>\r\n  <Value>1</Valu>\r\n</TLeaf>", "Start-end tags mismatch",
                                    "line 2, column 13");
    ExpectReadFailsAt<EXmlDomError>("", "No document element found", "line 1, column 1");
    ExpectReadFailsAt<EXmlDomError>("<TLeaf a=\"x\r\ny\">one &amp;\r\ntwo\r\n<Value>1</Valu></TLeaf>",
                                    "Start-end tags mismatch", "line 4, column 11");
    ExpectReadFailsAt<EXmlDomError>("<TLeaf><Value>1</Value>", "Start-end tags mismatch", "line 1, column 23");
}

TEST_F(Reader, FreesEverythingBuiltBeforeAFailure)
{
    // Leaves, Link and Links are filled when the last element fails.
    ExpectReadFails<EXmlPersistance>(AllKindsXml("<Unknown/>"), "Property name Unknown not found in class.");
    ExpectReadFails<EXmlPersistance>(AllKindsXml("<Links>" + LeafXml(1) + "<TNothing/></Links>"),
                                     "Xml class TNothing is not registered.");
}

TEST_F(Reader, RefusesNestingDeeperThanAThousandObjects)
{
    std::string chain;
    for (int level = 0; level < 1001; ++level)
        chain += "<TChain><Next>";
    chain += "<TChain><Next isNull=\"true\"/></TChain>";
    for (int level = 0; level < 1001; ++level)
        chain += "</Next></TChain>";
    ExpectReadFails<EXmlPersistance>(chain, "Objects are nested deeper than 1000 levels.");

    std::string deepest;
    for (int level = 0; level < 999; ++level)
        deepest += "<TChain><Next>";
    deepest += "<TChain><Next isNull=\"true\"/></TChain>";
    for (int level = 0; level < 999; ++level)
        deepest += "</Next></TChain>";
    EXPECT_TRUE(ReadAs<TChain>(deepest));
}

TEST_F(Reader, TracesEveryObject)
{
    const std::uintmax_t before = EngineLogSize();
    ReadAs<TSubLeaf>("<TSubLeaf><Extra/><Value>1</Value></TSubLeaf>");
    EXPECT_THAT(EngineLogMessagesSince(before),
                ::testing::ElementsAre("loading from xml TSubLeaf", "done loading from xml TSubLeaf"));
}
