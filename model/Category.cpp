#include "model/Category.h"

#include "common/XmlPersistance/PropertyDeclarations.h"

const TXMLPersistentClass& TBaseCategory::ClassInfo()
{
    static const TXMLPersistentClass info(
        "TBaseCategory", nullptr,
        {WideStringProperty<&TBaseCategory::Name>("Name"), WideStringProperty<&TBaseCategory::Url>("Url")},
        CreateInstance<TBaseCategory>);
    return info;
}

const TXMLPersistentClass& TCategory::ClassInfo()
{
    static const TXMLPersistentClass info(
        "TCategory", &TBaseCategory::ClassInfo(),
        {IntegerProperty<&TCategory::ID>("ID"), IntegerProperty<&TCategory::Content>("Content")},
        CreateInstance<TCategory>);
    return info;
}

const TXMLPersistentClass& TSymbolicCategory::ClassInfo()
{
    static const TXMLPersistentClass info("TSymbolicCategory", &TBaseCategory::ClassInfo(),
                                          {IntegerProperty<&TSymbolicCategory::Parent>("Parent")},
                                          CreateInstance<TSymbolicCategory>);
    return info;
}
