#pragma once

#include "common/core/Exception.h"

// An edit of the category tree that cannot be made as asked: the message says why.
class ETreeEdit : public Exception {
public:
    using Exception::Exception;
};
