#pragma once

#include <string>

// The value of an environment variable; empty when it is unset.
std::string EnvironmentValue(const char* name);
