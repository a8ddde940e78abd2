#include "TestClasses.h"

#include "common/XmlPersistance/PropertyDeclarations.h"
#include "common/XmlPersistance/XmlClassManager.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <thread>

using ::testing::ElementsAre;

namespace {

std::vector<std::string> SortedNames(const TXMLPersistentClass& xmlClass)
{
    std::vector<std::string> names;
    for (const TPropertyInfo* property : xmlClass.SortedProperties())
        names.push_back(property->Name);
    return names;
}

// Publishes a property whose name differs from its base's only in letter case.
class TShadowLeaf : public TLeaf {
public:
    std::string Shadow;
    static const TXMLPersistentClass& ClassInfo()
    {
        static const TXMLPersistentClass info("TShadowLeaf", &TLeaf::ClassInfo(),
                                              {StringProperty<&TShadowLeaf::Shadow>("VALUE")},
                                              CreateInstance<TShadowLeaf>);
        return info;
    }
    const TXMLPersistentClass& XmlClass() const override { return ClassInfo(); }
};

}  // namespace

TEST(PropertyNames, FoldOnlyTheBitOf32AndPutPrefixesFirst)
{
    EXPECT_EQ(CompareFoldedNames("url", "URL"), 0);
    EXPECT_LT(CompareFoldedNames("Content", "ID"), 0);
    EXPECT_LT(CompareFoldedNames("id", "Name"), 0);
    EXPECT_LT(CompareFoldedNames("Link", "Links"), 0);
    EXPECT_GT(CompareFoldedNames("Links", "Link"), 0);
    // '_' (95) sorts after every folded letter, and '@' (64) equals '`' (96) once folded.
    EXPECT_LT(CompareFoldedNames("aZ", "a_"), 0);
    EXPECT_TRUE(SameFoldedName("a@", "A`"));
    EXPECT_FALSE(SameFoldedName("Link", "Links"));
    EXPECT_FALSE(SameFoldedName("", "A"));
}

TEST(PropertyTable, ListsInheritedPropertiesSortedByFoldedName)
{
    EXPECT_EQ(TSubLeaf::ClassInfo().PropertyCount(), 2u);
    EXPECT_THAT(SortedNames(TSubLeaf::ClassInfo()), ElementsAre("Extra", "Value"));
    EXPECT_THAT(SortedNames(TAllKinds::ClassInfo()),
                ElementsAre("Ansi", "Any", "Big", "Color", "Count", "Flag", "Leaves", "Letter", "Link", "Links",
                            "Numbers", "Options", "Owned", "Ratio", "Short", "Unicode", "Wide", "Words"));
    EXPECT_EQ(TEmpty::ClassInfo().PropertyCount(), 0u);
    EXPECT_TRUE(TEmpty::ClassInfo().SortedProperties().empty());
}

TEST(PropertyTable, FindsPropertiesWithoutRegardToCaseOwnFirst)
{
    const TPropertyInfo* extra = TSubLeaf::ClassInfo().FindProperty("eXtRa");
    ASSERT_NE(extra, nullptr);
    EXPECT_EQ(extra->Name, "Extra");
    EXPECT_EQ(TSubLeaf::ClassInfo().FindProperty("value")->Name, "Value");
    EXPECT_EQ(TSubLeaf::ClassInfo().FindProperty("Valu"), nullptr);
    EXPECT_EQ(TSubLeaf::ClassInfo().FindProperty("Values"), nullptr);

    const TPropertyInfo* shadowed = TShadowLeaf::ClassInfo().FindProperty("Value");
    ASSERT_NE(shadowed, nullptr);
    EXPECT_EQ(shadowed->Kind, pkString);
    EXPECT_EQ(TShadowLeaf::ClassInfo().PropertyCount(), 2u);
}

TEST(PropertyTable, KnowsKindsTypesAndAncestry)
{
    const TXMLPersistentClass& kinds = TAllKinds::ClassInfo();
    EXPECT_EQ(kinds.FindProperty("Flag")->Kind, pkEnumeration);
    EXPECT_EQ(kinds.FindProperty("Flag")->TypeName, "Boolean");
    EXPECT_EQ(kinds.FindProperty("Owned")->TypeName, "TLeaf");
    EXPECT_EQ(kinds.FindProperty("Leaves")->Array.ElementKind, pkClass);
    EXPECT_EQ(&kinds.FindProperty("Leaves")->Array.ElementClass(), &TLeaf::ClassInfo());
    EXPECT_TRUE(TSubLeaf::ClassInfo().InheritsFrom(TLeaf::ClassInfo()));
    EXPECT_TRUE(TLeaf::ClassInfo().InheritsFrom(TLeaf::ClassInfo()));
    EXPECT_FALSE(TLeaf::ClassInfo().InheritsFrom(TSubLeaf::ClassInfo()));
}

TEST(PropertyTable, CreatesZeroedInstances)
{
    const std::unique_ptr<TXMLPersistentObject> object = TAllKinds::ClassInfo().NewInstance();
    const auto& kinds = dynamic_cast<const TAllKinds&>(*object);
    EXPECT_EQ(kinds.Count, 0);
    EXPECT_FALSE(kinds.Flag);
    EXPECT_EQ(kinds.Ratio, 0.0);
    EXPECT_TRUE(kinds.Unicode.empty());
    EXPECT_EQ(kinds.Owned, nullptr);
    EXPECT_EQ(kinds.Link, nullptr);
    EXPECT_TRUE(kinds.Any.IsUnassigned());
    EXPECT_TRUE(kinds.Leaves.empty());
    EXPECT_EQ(&object->XmlClass(), &TAllKinds::ClassInfo());
}

TEST(ClassRegistry, FindsClassesWithoutRegardToAsciiCase)
{
    RegisterTestClasses();
    EXPECT_EQ(GetXmlClass("tleaf"), &TLeaf::ClassInfo());
    EXPECT_EQ(GetXmlClass("TSUBLEAF"), &TSubLeaf::ClassInfo());
    EXPECT_EQ(GetXmlClass(""), nullptr);
    EXPECT_EQ(GetXmlClass("TLea"), nullptr);
    EXPECT_EQ(GetXmlClass("TLeafs"), nullptr);
    EXPECT_EQ(GetXmlClass("TShadowLeaf"), nullptr);
}

TEST(ClassRegistry, KeepsTheFirstClassOfAName)
{
    TXMLClassManager manager;
    const TXMLPersistentClass sameNameOtherCase("TLEAF", nullptr, {}, CreateInstance<TEmpty>);
    manager.AddClass(TLeaf::ClassInfo());
    manager.AddClass(TLeaf::ClassInfo());
    manager.AddClass(sameNameOtherCase);
    EXPECT_EQ(manager.ClassByName("TLeaf"), &TLeaf::ClassInfo());
    EXPECT_EQ(manager.ClassByName("TLEAF"), &TLeaf::ClassInfo());
}

TEST(ClassRegistry, RegistersFromSeveralThreadsAtOnce)
{
    TXMLClassManager manager;
    std::vector<std::thread> threads;
    for (const TXMLPersistentClass* xmlClass :
         {&TLeaf::ClassInfo(), &TSubLeaf::ClassInfo(), &TEmpty::ClassInfo(), &TChain::ClassInfo()})
        threads.emplace_back([&manager, xmlClass] {
            for (int i = 0; i < 1000; ++i) {
                manager.AddClass(*xmlClass);
                ASSERT_EQ(manager.ClassByName(xmlClass->ClassName()), xmlClass);
            }
        });
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(manager.ClassByName("tchain"), &TChain::ClassInfo());
}
