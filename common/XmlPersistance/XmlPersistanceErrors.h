#pragma once

#include "common/core/Exception.h"

// Format errors of the persisted objects: unknown classes, property lists that do not fit.
class EXmlPersistance : public Exception {
public:
    using Exception::Exception;
};

// A value text that does not convert to the property's number type.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// A broken internal rule of the engine, with the source and line where it was checked.
class EAssertionFailed : public Exception {
public:
    using Exception::Exception;
};

// Errors of the XML document layer: a file that cannot be opened or parsed, an element
// whose content does not have the expected shape.
class EXmlDomError : public Exception {
public:
    using Exception::Exception;
};

// A file that cannot be written or replaced.
class EFileWriteError : public Exception {
public:
    using Exception::Exception;
};
