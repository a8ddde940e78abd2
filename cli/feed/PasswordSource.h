#pragma once

#include "common/core/Exception.h"

#include <string>

// No password could be had; the message says why.
class EPasswordSource : public Exception {
public:
    using Exception::Exception;
};

// The password from the first line of the file when one is named, else from the
// TESSAROO_PASSWORD environment variable, else asked for on the terminal without echo.
std::string ReadPassword(const std::string& passwordFile, const std::string& prompt);
