#pragma once

#include <optional>
#include <string>

// Sets an environment variable (or unsets it, for nullopt) for the life of the object and
// restores the earlier value afterwards.
class TScopedEnvironment {
public:
    TScopedEnvironment(std::string name, const std::optional<std::string>& value);
    ~TScopedEnvironment();
    TScopedEnvironment(const TScopedEnvironment&) = delete;
    TScopedEnvironment& operator=(const TScopedEnvironment&) = delete;

private:
    std::string Name;
    std::optional<std::string> Earlier;
};
