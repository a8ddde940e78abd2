#pragma once

#include "common/core/CoreErrors.h"
#include "common/core/Exception.h"

// Format errors of the persisted objects: unknown classes, property lists that do not fit.
class EXmlPersistance : public Exception {
public:
    using Exception::Exception;
};

// Errors of the XML document layer: a file that cannot be opened or parsed, an element
// whose content does not have the expected shape.
class EXmlDomError : public Exception {
public:
    using Exception::Exception;
};
