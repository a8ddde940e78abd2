#include "tools/site/CategoryStore.h"

#include <sqlite3.h>

#include <memory>

namespace {

std::string ColumnText(sqlite3_stmt* statement, int column)
{
    const auto* text = sqlite3_column_text(statement, column);
    return text ? std::string(reinterpret_cast<const char*>(text),
                              static_cast<std::size_t>(sqlite3_column_bytes(statement, column)))
                : std::string();
}

}  // namespace

TCategoryStore::TCategoryStore(const std::string& fileName) : FileName(fileName)
{
    if (sqlite3_open(fileName.c_str(), &Database) != SQLITE_OK) {
        const std::string reason = Database ? sqlite3_errmsg(Database) : "out of memory";
        sqlite3_close(Database);
        throw ESiteDatabase("Cannot open the database \"" + fileName + "\": " + reason);
    }
    try {
        Execute("CREATE TABLE IF NOT EXISTS categories ("
                " id INTEGER PRIMARY KEY AUTOINCREMENT,"
                " title TEXT NOT NULL,"
                " title_url TEXT NOT NULL,"
                " parent_id INTEGER NOT NULL,"
                " status INTEGER NOT NULL,"
                " symbolic INTEGER NOT NULL,"
                " symbolic_id INTEGER NOT NULL)");
    } catch (...) {
        sqlite3_close(Database);
        throw;
    }
}

TCategoryStore::~TCategoryStore()
{
    sqlite3_close(Database);
}

void TCategoryStore::TStatementCloser::operator()(sqlite3_stmt* statement) const
{
    sqlite3_finalize(statement);
}

TCategoryStore::TStatement TCategoryStore::Prepare(const char* sql, const std::string& what) const
{
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(Database, sql, -1, &raw, nullptr) != SQLITE_OK)
        Fail(what);
    return TStatement(raw);
}

void TCategoryStore::Fail(const std::string& what) const
{
    throw ESiteDatabase("Database \"" + FileName + "\": " + what + ": " + sqlite3_errmsg(Database));
}

void TCategoryStore::Execute(const char* sql)
{
    if (sqlite3_exec(Database, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        Fail("cannot prepare the categories table");
}

TCategoryId TCategoryStore::Add(const TSiteCategory& category)
{
    const TStatement statement = Prepare("INSERT INTO categories (title, title_url, parent_id, status, symbolic,"
                                         " symbolic_id) VALUES (?, ?, ?, ?, ?, ?)",
                                         "cannot add a category");
    sqlite3_stmt* raw = statement.get();
    sqlite3_bind_text(raw, 1, category.Title.data(), static_cast<int>(category.Title.size()), SQLITE_TRANSIENT);
    sqlite3_bind_text(raw, 2, category.TitleUrl.data(), static_cast<int>(category.TitleUrl.size()), SQLITE_TRANSIENT);
    sqlite3_bind_int64(raw, 3, category.ParentId);
    sqlite3_bind_int(raw, 4, category.Status);
    sqlite3_bind_int(raw, 5, category.Symbolic ? 1 : 0);
    sqlite3_bind_int64(raw, 6, category.SymbolicId);
    if (sqlite3_step(raw) != SQLITE_DONE)
        Fail("cannot add a category");
    return sqlite3_last_insert_rowid(Database);
}

std::vector<TSiteCategory> TCategoryStore::All() const
{
    const TStatement statement = Prepare("SELECT id, title, title_url, parent_id, status, symbolic, symbolic_id"
                                         " FROM categories ORDER BY id",
                                         "cannot read the categories");
    sqlite3_stmt* raw = statement.get();
    std::vector<TSiteCategory> categories;
    int result = SQLITE_ROW;
    while ((result = sqlite3_step(raw)) == SQLITE_ROW) {
        TSiteCategory category;
        category.Id = sqlite3_column_int64(raw, 0);
        category.Title = ColumnText(raw, 1);
        category.TitleUrl = ColumnText(raw, 2);
        category.ParentId = sqlite3_column_int64(raw, 3);
        category.Status = sqlite3_column_int(raw, 4);
        category.Symbolic = sqlite3_column_int(raw, 5) != 0;
        category.SymbolicId = sqlite3_column_int64(raw, 6);
        categories.push_back(std::move(category));
    }
    if (result != SQLITE_DONE)
        Fail("cannot read the categories");
    return categories;
}
