#pragma once

class TXMLPersistentClass;

// Root of every class whose published properties the engine can see.
class TObjectWithRTTI {
public:
    virtual ~TObjectWithRTTI() = default;
};

// Base of every class that is written to and read from XML. A persistable class publishes
// its state through its TXMLPersistentClass (the property table) and reports it here.
class TXMLPersistentObject : public TObjectWithRTTI {
public:
    virtual const TXMLPersistentClass& XmlClass() const = 0;
};
