#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One row of the stand-in site's categories table.
struct TSiteRecord {
    std::int64_t Id = 0;
    std::string Title;
    std::string TitleUrl;
    std::int64_t ParentId = 0;
    int Status = 0;
    bool Symbolic = false;
    std::int64_t SymbolicId = 0;
};

// The rows the stand-in site stores in its database file, in the order of their identifiers.
std::vector<TSiteRecord> SiteRecords(const std::string& databaseFile);

// The same rows, one text each: "2 Music under 1", and for a symbolic category
// "3 Sounds@ under 1 for 2".
std::vector<std::string> SiteCategories(const std::string& databaseFile);
