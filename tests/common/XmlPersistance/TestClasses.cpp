#include "TestClasses.h"

#include "common/XmlPersistance/PropertyDeclarations.h"
#include "common/XmlPersistance/XmlClassManager.h"

const TXMLPersistentClass& TLeaf::ClassInfo()
{
    static const TXMLPersistentClass info("TLeaf", nullptr, {IntegerProperty<&TLeaf::Value>("Value")},
                                          CreateInstance<TLeaf>);
    return info;
}

const TXMLPersistentClass& TSubLeaf::ClassInfo()
{
    static const TXMLPersistentClass info("TSubLeaf", &TLeaf::ClassInfo(), {StringProperty<&TSubLeaf::Extra>("Extra")},
                                          CreateInstance<TSubLeaf>);
    return info;
}

const TXMLPersistentClass& TStranger::ClassInfo()
{
    static const TXMLPersistentClass info("TStranger", nullptr, {}, CreateInstance<TStranger>);
    return info;
}

const TXMLPersistentClass& TAllKinds::ClassInfo()
{
    static const TXMLPersistentClass info(
        "TAllKinds", nullptr,
        {IntegerProperty<&TAllKinds::Count>("Count"), OrdinalProperty<&TAllKinds::Letter>("Letter", pkChar, "Char"),
         OrdinalProperty<&TAllKinds::Color>("Color", pkEnumeration, "TColor"),
         OrdinalProperty<&TAllKinds::Flag>("Flag", pkEnumeration, "Boolean"), FloatProperty<&TAllKinds::Ratio>("Ratio"),
         StringProperty<&TAllKinds::Short>("Short", pkShortString, "ShortString"),
         OrdinalProperty<&TAllKinds::Options>("Options", pkSet, "TOptions"),
         OwnedObjectProperty<&TAllKinds::Owned>("Owned", "TLeaf"),
         BorrowedObjectProperty<&TAllKinds::Link>("Link", "TLeaf"),
         OrdinalProperty<&TAllKinds::Wide>("Wide", pkWideChar, "WideChar"), StringProperty<&TAllKinds::Ansi>("Ansi"),
         WideStringProperty<&TAllKinds::Unicode>("Unicode"), VariantProperty<&TAllKinds::Any>("Any"),
         Int64Property<&TAllKinds::Big>("Big"), IntegerArrayProperty<&TAllKinds::Numbers>("Numbers", "TIntegers"),
         StringArrayProperty<&TAllKinds::Words>("Words", "TWords"),
         OwnedObjectArrayProperty<&TAllKinds::Leaves>("Leaves", "TLeaves"),
         BorrowedObjectArrayProperty<&TAllKinds::Links>("Links", "TLeafLinks")},
        CreateInstance<TAllKinds>);
    return info;
}

const TXMLPersistentClass& TChain::ClassInfo()
{
    static const TXMLPersistentClass info("TChain", nullptr, {OwnedObjectProperty<&TChain::Next>("Next", "TChain")},
                                          CreateInstance<TChain>);
    return info;
}

const TXMLPersistentClass& THolder::ClassInfo()
{
    static const TXMLPersistentClass info(
        "THolder", nullptr,
        {OwnedObjectProperty<&THolder::Inner>("Inner", "TAllKinds"), IntegerProperty<&THolder::Tag>("Tag")},
        CreateInstance<THolder>);
    return info;
}

const TXMLPersistentClass& TEmpty::ClassInfo()
{
    static const TXMLPersistentClass info("TEmpty", nullptr, {}, CreateInstance<TEmpty>);
    return info;
}

const TXMLPersistentClass& TWithEvent::ClassInfo()
{
    static const TXMLPersistentClass info(
        "TWithEvent", nullptr,
        {IntegerProperty<&TWithEvent::Value>("Value"), NewProperty("OnChange", pkMethod, "TNotifyEvent")},
        CreateInstance<TWithEvent>);
    return info;
}

template <PropertyKind Kind>
const TXMLPersistentClass& TWithUnsupported<Kind>::ClassInfo()
{
    static const TXMLPersistentClass info("TWithUnsupported" + std::to_string(Kind), nullptr,
                                          {NewProperty("Odd", Kind, "TOdd")}, CreateInstance<TWithUnsupported>);
    return info;
}

template class TWithUnsupported<pkUnknown>;
template class TWithUnsupported<pkArray>;
template class TWithUnsupported<pkRecord>;
template class TWithUnsupported<pkInterface>;

const TXMLPersistentClass& TWithFloatArray::ClassInfo()
{
    static const TXMLPersistentClass info("TWithFloatArray", nullptr,
                                          {DynArrayProperty<&TWithFloatArray::Values>("Values", "TDoubles", pkFloat)},
                                          CreateInstance<TWithFloatArray>);
    return info;
}

const TXMLPersistentClass& TWithMatrix::ClassInfo()
{
    static const TXMLPersistentClass info = [] {
        TPropertyInfo cells = IntegerArrayProperty<&TWithMatrix::Cells>("Cells", "TMatrix");
        cells.Array.Dimensions = 2;
        return TXMLPersistentClass("TWithMatrix", nullptr, {cells}, CreateInstance<TWithMatrix>);
    }();
    return info;
}

void RegisterTestClasses()
{
    RegisterXmlClass(TLeaf::ClassInfo());
    RegisterXmlClass(TSubLeaf::ClassInfo());
    RegisterXmlClass(TStranger::ClassInfo());
    RegisterXmlClass(TAllKinds::ClassInfo());
    RegisterXmlClass(TChain::ClassInfo());
    RegisterXmlClass(THolder::ClassInfo());
    RegisterXmlClass(TEmpty::ClassInfo());
    RegisterXmlClass(TWithEvent::ClassInfo());
    RegisterXmlClass(TWithUnsupported<pkUnknown>::ClassInfo());
    RegisterXmlClass(TWithUnsupported<pkArray>::ClassInfo());
    RegisterXmlClass(TWithUnsupported<pkRecord>::ClassInfo());
    RegisterXmlClass(TWithUnsupported<pkInterface>::ClassInfo());
    RegisterXmlClass(TWithFloatArray::ClassInfo());
    RegisterXmlClass(TWithMatrix::ClassInfo());
}
