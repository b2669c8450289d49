// One prepared SQLite statement, finalised when it goes.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace ruk {

class SqlStatement {
  public:
    SqlStatement(sqlite3* db, const char* sql);
    ~SqlStatement();
    SqlStatement(const SqlStatement&) = delete;
    SqlStatement& operator=(const SqlStatement&) = delete;

    // The result code of preparing: SQLITE_OK when the statement can run.
    int prepared() const { return prepared_; }
    void Bind(int index, std::string_view text);
    void Bind(int index, std::int64_t value);
    void BindNull(int index);
    // SQLITE_ROW, SQLITE_DONE or an error code.
    int Step();
    void Reset();
    std::int64_t Int(int column) const;
    std::string Text(int column) const;
    bool IsNull(int column) const;

  private:
    sqlite3_stmt* statement_ = nullptr;
    int prepared_ = SQLITE_ERROR;
};

}  // namespace ruk
