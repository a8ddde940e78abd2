#pragma once

#include "common/XmlPersistance/PersistentObject.h"
#include "common/logging/Logger.h"

#include <pugixml.hpp>

#include <memory>
#include <string>

// Writes persistable objects as XML and builds them back, driven only by the class names
// and the property tables. Objects put into owning properties belong to the object built;
// objects put into borrowing properties (see TPropertyInfo::OwnsValue) are handed to the
// caller with the result, who must take them over. A failed read frees everything built.
class TXmlPersistance {
public:
    static std::unique_ptr<TXMLPersistentObject> FileToObject(const std::string& fileName);
    static std::unique_ptr<TXMLPersistentObject> NodeToObject(const pugi::xml_node& element);

    // Appends the object's element, with everything below it, as the last child of parent.
    static void ObjectToNode(const TXMLPersistentObject& object, pugi::xml_node parent);
    // UTF-8 text without declaration; indented: the DUMMY_NODE document with two-space
    // indentation and CR LF after every line, else the object's element alone.
    static std::string ObjectToXml(const TXMLPersistentObject& object, bool indented);
    // Replaces the file with the indented text; on any failure the earlier file stays.
    static void ObjectToFile(const TXMLPersistentObject& object, const std::string& fileName);
};

// Passes a trace or error record to the engine's logger ("XmlPersistance.log").
void XmlLog(const std::string& message, TLogLevel level);

// Starts the engine at program start, before any class is registered: the logging unit
// first (it writes its start-up record), then the class registry, then the engine's logger,
// which creates the log folder and file when they are missing.
void StartXmlPersistance();
