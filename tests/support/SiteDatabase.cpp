#include "tests/support/SiteDatabase.h"

#include <sqlite3.h>

#include <memory>
#include <stdexcept>

std::vector<std::string> SiteCategories(const std::string& databaseFile)
{
    sqlite3* opened = nullptr;
    const int status = sqlite3_open_v2(databaseFile.c_str(), &opened, SQLITE_OPEN_READONLY, nullptr);
    const std::unique_ptr<sqlite3, decltype(&sqlite3_close)> db(opened, &sqlite3_close);
    sqlite3_stmt* prepared = nullptr;
    if (status != SQLITE_OK ||
        sqlite3_prepare_v2(db.get(), "SELECT id, title, parent_id, symbolic, symbolic_id FROM categories ORDER BY id",
                           -1, &prepared, nullptr) != SQLITE_OK)
        throw std::runtime_error("cannot read the site's database " + databaseFile);
    const std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)> query(prepared, &sqlite3_finalize);

    std::vector<std::string> rows;
    while (sqlite3_step(query.get()) == SQLITE_ROW) {
        const auto number = [&](int column) { return std::to_string(sqlite3_column_int(query.get(), column)); };
        const bool symbolic = sqlite3_column_int(query.get(), 3) != 0;
        rows.push_back(number(0) + " " + reinterpret_cast<const char*>(sqlite3_column_text(query.get(), 1)) +
                       (symbolic ? "@" : "") + " under " + number(2) + (symbolic ? " for " + number(4) : ""));
    }
    return rows;
}
