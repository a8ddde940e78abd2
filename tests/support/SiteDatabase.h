#pragma once

#include <string>
#include <vector>

// The categories the stand-in site stores in its database file, in the order of their
// identifiers, one text per row: "2 Music under 1", and for a symbolic category
// "3 Sounds@ under 1 for 2".
std::vector<std::string> SiteCategories(const std::string& databaseFile);
