#include "model/Dmoz.h"
#include "model/CategoryClasses.h"
#include "model/XMLTreeNode.h"

#include "common/XmlPersistance/XmlClassManager.h"
#include "common/core/Exception.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

std::unique_ptr<TCategory> Category(std::int32_t id, std::u16string url, std::u16string name = u"name")
{
    auto category = std::make_unique<TCategory>();
    category->ID = id;
    category->Url = std::move(url);
    category->Name = std::move(name);
    return category;
}

std::unique_ptr<TSymbolicCategory> Symbolic(std::int32_t parent, std::u16string url)
{
    auto symbolic = std::make_unique<TSymbolicCategory>();
    symbolic->Parent = parent;
    symbolic->Url = std::move(url);
    return symbolic;
}

}  // namespace

TEST(Dmoz, FindsNothingAndRemovesNothingWhenEmpty)
{
    TDmoz dmoz;
    TCategory stray;
    EXPECT_EQ(dmoz.FindCategoryByID(0), nullptr);
    EXPECT_EQ(dmoz.FindCategoryByUrl(""), nullptr);
    dmoz.RemoveRecord(&stray);
    EXPECT_THAT(dmoz.Categories, IsEmpty());
    EXPECT_THAT(dmoz.SymbolicCategories, IsEmpty());
}

TEST(Dmoz, SortsRecordsIntoTheirArraysInOrder)
{
    auto arts = Category(1, u"Top/Arts");
    auto sounds = Symbolic(1, u"Top/Arts/Music");
    auto music = Category(2, u"Top/Arts/Music");
    TDmoz dmoz;
    dmoz.AddRecord(arts.get());
    dmoz.AddRecord(sounds.get());
    dmoz.AddRecord(music.get());
    EXPECT_THAT(dmoz.Categories, ElementsAre(arts.get(), music.get()));
    EXPECT_THAT(dmoz.SymbolicCategories, ElementsAre(sounds.get()));
    EXPECT_THROW(dmoz.AddRecord(nullptr), Exception);
}

TEST(Dmoz, FindsTheFirstCategoryOfAnIdIncludingZeroAndNegativeOnes)
{
    auto zero = Category(0, u"a");
    auto negative = Category(-5, u"b");
    auto first = Category(7, u"c");
    auto second = Category(7, u"d");
    auto symbolic = Symbolic(9, u"e");
    TDmoz dmoz;
    for (TBaseCategory* record : {static_cast<TBaseCategory*>(symbolic.get()), static_cast<TBaseCategory*>(zero.get()),
                                  static_cast<TBaseCategory*>(negative.get()), static_cast<TBaseCategory*>(first.get()),
                                  static_cast<TBaseCategory*>(second.get())})
        dmoz.AddRecord(record);
    EXPECT_EQ(dmoz.FindCategoryByID(0), zero.get());
    EXPECT_EQ(dmoz.FindCategoryByID(-5), negative.get());
    EXPECT_EQ(dmoz.FindCategoryByID(7), first.get());
    EXPECT_EQ(dmoz.FindCategoryByID(9), nullptr);
}

TEST(Dmoz, FindsUrlsWithoutRegardToCaseInEveryScript)
{
    auto arts = Category(1, u"Top/Arts");
    auto artsAgain = Category(2, u"top/arts");
    auto world = Category(3, u"Top/World/Deutsch/K\u00fcnste");
    auto russian = Category(4, u"Top/World/\u0420\u0443\u0441\u0441\u043a\u0438\u0439");
    auto empty = Category(5, u"");
    auto symbolic = Symbolic(1, u"Top/Music");
    TDmoz dmoz;
    dmoz.AddRecord(symbolic.get());
    for (TCategory* category : {arts.get(), artsAgain.get(), world.get(), russian.get(), empty.get()})
        dmoz.AddRecord(category);
    EXPECT_EQ(dmoz.FindCategoryByUrl("TOP/ARTS"), arts.get());
    EXPECT_EQ(dmoz.FindCategoryByUrl("top/world/deutsch/K\u00dcNSTE"), world.get());
    EXPECT_EQ(dmoz.FindCategoryByUrl("TOP/WORLD/\u0440\u0443\u0441\u0441\u043a\u0438\u0439"), russian.get());
    EXPECT_EQ(dmoz.FindCategoryByUrl("TOP/WORLD/\u0420\u0423\u0421\u0421\u041a\u0418\u0419"), russian.get());
    EXPECT_EQ(dmoz.FindCategoryByUrl(""), empty.get());
    EXPECT_EQ(dmoz.FindCategoryByUrl("Top/Music"), nullptr);
    EXPECT_EQ(dmoz.FindCategoryByUrl("Top/Art"), nullptr);
    EXPECT_EQ(dmoz.FindCategoryByUrl("Top/Arts "), nullptr);
}

TEST(Dmoz, RemovesTheFirstOccurrenceAndKeepsTheOrder)
{
    auto a = Category(1, u"a");
    auto b = Category(2, u"b");
    auto c = Category(3, u"c");
    auto s = Symbolic(1, u"a");
    TDmoz dmoz;
    for (TCategory* category : {a.get(), b.get(), a.get(), c.get()})
        dmoz.AddRecord(category);
    dmoz.AddRecord(s.get());
    dmoz.RemoveRecord(a.get());
    EXPECT_THAT(dmoz.Categories, ElementsAre(b.get(), a.get(), c.get()));
    dmoz.RemoveRecord(a.get());
    EXPECT_THAT(dmoz.Categories, ElementsAre(b.get(), c.get()));
    dmoz.RemoveRecord(a.get());
    EXPECT_THAT(dmoz.Categories, ElementsAre(b.get(), c.get()));
    dmoz.RemoveRecord(s.get());
    EXPECT_THAT(dmoz.SymbolicCategories, IsEmpty());
    EXPECT_THAT(dmoz.Categories, ElementsAre(b.get(), c.get()));
}

TEST(XMLTreeNode, FreesItsNodesButNeverTheirRecords)
{
    auto record = Category(1, u"Top/Arts", u"Arts");
    {
        TXMLTreeNode root;
        auto child = std::make_unique<TXMLTreeNode>();
        child->Data = record.get();
        auto grandChild = std::make_unique<TXMLTreeNode>();
        grandChild->Data = record.get();
        child->AddNode(std::move(grandChild));
        root.AddNode(std::make_unique<TXMLTreeNode>());
        root.AddNode(std::move(child));
        ASSERT_EQ(root.Nodes.size(), 2u);
        EXPECT_EQ(root.Nodes[1]->Nodes[0]->Data, record.get());
    }
    EXPECT_EQ(record->Name, u"Arts");
}

TEST(CategoryClasses, RegistersTheFourClassesOnce)
{
    RegisterCategoryClasses();
    RegisterCategoryClasses();
    EXPECT_EQ(GetXmlClass("TCategory"), &TCategory::ClassInfo());
    EXPECT_EQ(GetXmlClass("tsymboliccategory"), &TSymbolicCategory::ClassInfo());
    EXPECT_EQ(GetXmlClass("TDmoz"), &TDmoz::ClassInfo());
    EXPECT_EQ(GetXmlClass("TXMLTreeNode"), &TXMLTreeNode::ClassInfo());
    EXPECT_EQ(GetXmlClass("TBaseCategory"), nullptr);
    EXPECT_EQ(TCategory::ClassInfo().PropertyCount(), 4u);
    EXPECT_EQ(TSymbolicCategory::ClassInfo().PropertyCount(), 3u);
    EXPECT_EQ(TXMLTreeNode::ClassInfo().PropertyCount(), 2u);
}
