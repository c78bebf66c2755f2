#pragma once

#include <QString>

#include <optional>

struct sqlite3;
struct sqlite3_stmt;
class SqliteRow;

// One prepared statement on a connection the caller owns; finalised when it goes. Binds are
// 1-based like SQLite's; texts are copied by SQLite at once.
class SqliteStatement final
{
public:
    SqliteStatement() = default;
    SqliteStatement(sqlite3 *database, const QString &sql);
    ~SqliteStatement();

    SqliteStatement(SqliteStatement &&other) noexcept;
    SqliteStatement &operator=(SqliteStatement &&other) noexcept;
    SqliteStatement(const SqliteStatement &) = delete;
    SqliteStatement &operator=(const SqliteStatement &) = delete;

    // False when the statement could not be prepared.
    [[nodiscard]] bool isValid() const { return m_statement != nullptr; }
    explicit operator bool() const { return isValid(); }

    void bind(int index, qint64 value);
    void bind(int index, const QString &value);
    void bind(int index, double value);
    void bind(int index, const std::optional<QString> &value);
    void bindNull(int index);

    // One step; SQLite's result code (SQLITE_ROW, SQLITE_DONE or an error).
    int step();
    // Makes the statement ready to run again with fresh binds.
    void reset();
    [[nodiscard]] SqliteRow row() const;
    [[nodiscard]] sqlite3_stmt *handle() const { return m_statement; }

private:
    sqlite3_stmt *m_statement = nullptr;
};
