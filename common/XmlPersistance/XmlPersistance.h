#pragma once

#include "common/XmlPersistance/PersistentObject.h"
#include "common/core/ReplacementFile.h"
// The engine traces every step at llFullDebug; GlobalLogLevel decides whether it is written.
#include "common/logging/Logger.h"

#include <pugixml.hpp>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// Writes persistable objects as XML and builds them back, driven only by the class names
// and the property tables. The reader is XmlReader, the writer XmlWriter.
class TXmlPersistance {
public:
    // Sees every object as soon as it is read, with true for the object the file holds: a
    // caller's own rules for what it reads. An error it raises ends the read as any format
    // error does.
    using TReadCheck = std::function<void(const TXMLPersistentObject& object, bool isRoot)>;

    // Everything a read built, owned: the object the file holds, which owns the objects in
    // its owning properties, and the objects put into borrowing properties anywhere below
    // it (see TPropertyInfo::OwnsValue), in the order they were read. Whoever keeps the
    // object takes those over as well; what nobody takes goes with the result.
    struct TReadResult {
        std::unique_ptr<TXMLPersistentObject> Object;
        std::vector<std::unique_ptr<TXMLPersistentObject>> Borrowed;
    };

    // Every error names the file and, when it lies inside the document, its line and column.
    // A failed read frees everything it built.
    static TReadResult FileToObject(const std::string& fileName, const TReadCheck& check = {});

    // Appends the object's element, with everything below it, as the last child of parent.
    static void ObjectToNode(const TXMLPersistentObject& object, pugi::xml_node parent);
    // UTF-8 text without declaration; indented: the DUMMY_NODE document with two-space
    // indentation and CR LF after every line, else the object's element alone.
    static std::string ObjectToXml(const TXMLPersistentObject& object, bool indented);
    // Replaces the file with the indented text (see TReplacementFile); on any failure the
    // earlier file stays.
    static void ObjectToFile(const TXMLPersistentObject& object, const std::string& fileName,
                             TBackup backup = TBackup::None);
};

// Starts the engine at program start, before any class is registered: the class registry
// and the engine's logger, whose request starts the logging unit (it writes its start-up
// record) and creates the log folder and file when they are missing. When logging cannot
// start, its error is raised after the registry exists, and the engine works without logs.
void StartXmlPersistance();
