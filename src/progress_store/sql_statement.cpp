// The prepared statement wrapper (see sql_statement.h).
#include "sql_statement.h"

namespace ruk {

SqlStatement::SqlStatement(sqlite3* db, const char* sql) {
    if (db) prepared_ = sqlite3_prepare_v2(db, sql, -1, &statement_, nullptr);
    if (prepared_ == SQLITE_OK && !statement_) prepared_ = SQLITE_ERROR;  // empty statement
}

SqlStatement::~SqlStatement() {
    sqlite3_finalize(statement_);
}

void SqlStatement::Bind(int index, std::string_view text) {
    if (statement_) {
        sqlite3_bind_text64(statement_, index, text.data(), text.size(), SQLITE_TRANSIENT,
                            SQLITE_UTF8);
    }
}

void SqlStatement::Bind(int index, std::int64_t value) {
    if (statement_) sqlite3_bind_int64(statement_, index, value);
}

void SqlStatement::BindNull(int index) {
    if (statement_) sqlite3_bind_null(statement_, index);
}

int SqlStatement::Step() {
    return statement_ ? sqlite3_step(statement_) : prepared_;
}

void SqlStatement::Reset() {
    if (statement_) {
        sqlite3_reset(statement_);
        sqlite3_clear_bindings(statement_);
    }
}

std::int64_t SqlStatement::Int(int column) const {
    return statement_ ? sqlite3_column_int64(statement_, column) : 0;
}

std::string SqlStatement::Text(int column) const {
    if (!statement_) return "";
    const unsigned char* text = sqlite3_column_text(statement_, column);
    const int size = sqlite3_column_bytes(statement_, column);
    return text ? std::string(reinterpret_cast<const char*>(text), static_cast<std::size_t>(size))
                : std::string();
}

bool SqlStatement::IsNull(int column) const {
    return !statement_ || sqlite3_column_type(statement_, column) == SQLITE_NULL;
}

}  // namespace ruk
