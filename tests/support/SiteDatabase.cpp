#include "tests/support/SiteDatabase.h"

#include <sqlite3.h>

#include <memory>
#include <stdexcept>

namespace {

std::string ColumnText(sqlite3_stmt* query, int column)
{
    const auto* text = sqlite3_column_text(query, column);
    return text ? std::string(reinterpret_cast<const char*>(text),
                              static_cast<std::size_t>(sqlite3_column_bytes(query, column)))
                : std::string();
}

}  // namespace

std::vector<TSiteRecord> SiteRecords(const std::string& databaseFile)
{
    sqlite3* opened = nullptr;
    const int status = sqlite3_open_v2(databaseFile.c_str(), &opened, SQLITE_OPEN_READONLY, nullptr);
    const std::unique_ptr<sqlite3, decltype(&sqlite3_close)> db(opened, &sqlite3_close);
    sqlite3_stmt* prepared = nullptr;
    if (status != SQLITE_OK ||
        sqlite3_prepare_v2(db.get(),
                           "SELECT id, title, title_url, parent_id, status, symbolic, symbolic_id"
                           " FROM categories ORDER BY id",
                           -1, &prepared, nullptr) != SQLITE_OK)
        throw std::runtime_error("cannot read the site's database " + databaseFile);
    const std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)> query(prepared, &sqlite3_finalize);

    std::vector<TSiteRecord> records;
    while (sqlite3_step(query.get()) == SQLITE_ROW) {
        TSiteRecord record;
        record.Id = sqlite3_column_int64(query.get(), 0);
        record.Title = ColumnText(query.get(), 1);
        record.TitleUrl = ColumnText(query.get(), 2);
        record.ParentId = sqlite3_column_int64(query.get(), 3);
        record.Status = sqlite3_column_int(query.get(), 4);
        record.Symbolic = sqlite3_column_int(query.get(), 5) != 0;
        record.SymbolicId = sqlite3_column_int64(query.get(), 6);
        records.push_back(std::move(record));
    }
    return records;
}

std::vector<std::string> SiteCategories(const std::string& databaseFile)
{
    std::vector<std::string> rows;
    for (const TSiteRecord& record : SiteRecords(databaseFile))
        rows.push_back(std::to_string(record.Id) + " " + record.Title + (record.Symbolic ? "@" : "") + " under " +
                       std::to_string(record.ParentId) +
                       (record.Symbolic ? " for " + std::to_string(record.SymbolicId) : ""));
    return rows;
}
