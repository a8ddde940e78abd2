#pragma once

#include "common/core/Exception.h"

// A text that does not convert to the number type asked for.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// A broken internal rule, with the source and line where it was checked.
class EAssertionFailed : public Exception {
public:
    using Exception::Exception;
};
