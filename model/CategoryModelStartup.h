#pragma once

#include <optional>
#include <string>

// Starts what every program that reads, writes or feeds category trees needs, in the order
// the engine expects: logging and the persistence engine, then the category classes. The
// classes are registered even when logging cannot start; the reason is returned so that the
// program can tell its user.
std::optional<std::string> StartCategoryModel();
