#pragma once

#include "common/XmlPersistance/PersistentClass.h"
#include "common/XmlPersistance/Variant.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Small persistable classes that publish one property of every kind the engine supports,
// and a few that publish what it refuses.

// Counts its live instances, so that tests can see that a failed read freed everything.
class TLeaf : public TXMLPersistentObject {
public:
    TLeaf() { ++Live; }
    ~TLeaf() override { --Live; }
    TLeaf(const TLeaf&) = delete;
    TLeaf& operator=(const TLeaf&) = delete;
    static inline int Live = 0;

    std::int32_t Value = 0;
    static const TXMLPersistentClass& ClassInfo();
    const TXMLPersistentClass& XmlClass() const override { return ClassInfo(); }
};

class TSubLeaf : public TLeaf {
public:
    std::string Extra;
    static const TXMLPersistentClass& ClassInfo();
    const TXMLPersistentClass& XmlClass() const override { return ClassInfo(); }
};

// Fits no property of the other classes.
class TStranger : public TXMLPersistentObject {
public:
    static const TXMLPersistentClass& ClassInfo();
    const TXMLPersistentClass& XmlClass() const override { return ClassInfo(); }
};

enum TColor : std::uint8_t { clRed, clGreen, clBlue };

class TAllKinds : public TXMLPersistentObject {
public:
    std::int32_t Count = 0;
    char Letter = 0;
    TColor Color = clRed;
    bool Flag = false;
    double Ratio = 0;
    std::string Short;
    std::uint32_t Options = 0;
    std::unique_ptr<TLeaf> Owned;
    TLeaf* Link = nullptr;
    char16_t Wide = 0;
    std::string Ansi;
    std::u16string Unicode;
    TVariant Any;
    std::int64_t Big = 0;
    std::vector<std::int32_t> Numbers;
    std::vector<std::string> Words;
    std::vector<std::unique_ptr<TLeaf>> Leaves;
    std::vector<TLeaf*> Links;

    static const TXMLPersistentClass& ClassInfo();
    const TXMLPersistentClass& XmlClass() const override { return ClassInfo(); }
};

// Holds another of its kind: nesting as deep as the document goes.
class TChain : public TXMLPersistentObject {
public:
    std::unique_ptr<TChain> Next;
    static const TXMLPersistentClass& ClassInfo();
    const TXMLPersistentClass& XmlClass() const override { return ClassInfo(); }
};

// Owns an object that refers to others, so that replacing it leaves those behind.
class THolder : public TXMLPersistentObject {
public:
    std::unique_ptr<TAllKinds> Inner;
    std::int32_t Tag = 0;
    static const TXMLPersistentClass& ClassInfo();
    const TXMLPersistentClass& XmlClass() const override { return ClassInfo(); }
};

class TEmpty : public TXMLPersistentObject {
public:
    static const TXMLPersistentClass& ClassInfo();
    const TXMLPersistentClass& XmlClass() const override { return ClassInfo(); }
};

// Publishes an event, which the writer skips and the reader counts.
class TWithEvent : public TXMLPersistentObject {
public:
    std::int32_t Value = 0;
    static const TXMLPersistentClass& ClassInfo();
    const TXMLPersistentClass& XmlClass() const override { return ClassInfo(); }
};

// Publishes a property of the given unsupported kind.
template <PropertyKind Kind>
class TWithUnsupported : public TXMLPersistentObject {
public:
    static const TXMLPersistentClass& ClassInfo();
    const TXMLPersistentClass& XmlClass() const override { return ClassInfo(); }
};

// An array of floating-point numbers, an element kind arrays do not support.
class TWithFloatArray : public TXMLPersistentObject {
public:
    std::vector<double> Values;
    static const TXMLPersistentClass& ClassInfo();
    const TXMLPersistentClass& XmlClass() const override { return ClassInfo(); }
};

class TWithMatrix : public TXMLPersistentObject {
public:
    std::vector<std::int32_t> Cells;
    static const TXMLPersistentClass& ClassInfo();
    const TXMLPersistentClass& XmlClass() const override { return ClassInfo(); }
};

// Registers every class above.
void RegisterTestClasses();
