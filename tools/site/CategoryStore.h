#pragma once

#include "common/core/Exception.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// The database failed; the message carries SQLite's own text.
class ESiteDatabase : public Exception {
public:
    using Exception::Exception;
};

using TCategoryId = std::int64_t;

// The top of the directory: a parent of 0 means "no parent".
constexpr TCategoryId TopCategoryId = 0;

// A category's status: only active ones are listed in the forms of a real site.
constexpr int InactiveStatus = 1;
constexpr int ActiveStatus = 2;

struct TSiteCategory {
    TCategoryId Id = 0;
    std::string Title;
    std::string TitleUrl;
    TCategoryId ParentId = TopCategoryId;
    int Status = 0;
    bool Symbolic = false;
    // For a symbolic category: the category it stands for (TopCategoryId for the top).
    TCategoryId SymbolicId = TopCategoryId;
};

// The directory's categories in SQLite: one table, regular and symbolic categories alike.
// Not thread-safe; the server serialises its use.
class TCategoryStore {
public:
    // ":memory:" keeps the directory for the process's life only.
    explicit TCategoryStore(const std::string& fileName);
    ~TCategoryStore();
    TCategoryStore(const TCategoryStore&) = delete;
    TCategoryStore& operator=(const TCategoryStore&) = delete;

    // Returns the identifier the database gave the new category.
    TCategoryId Add(const TSiteCategory& category);

    // Every category, oldest first.
    std::vector<TSiteCategory> All() const;

private:
    struct TStatementCloser {
        void operator()(sqlite3_stmt* statement) const;
    };
    using TStatement = std::unique_ptr<sqlite3_stmt, TStatementCloser>;

    void Execute(const char* sql);
    // A prepared statement, or the failure named by what.
    TStatement Prepare(const char* sql, const std::string& what) const;
    [[noreturn]] void Fail(const std::string& what) const;

    sqlite3* Database = nullptr;
    std::string FileName;
};
