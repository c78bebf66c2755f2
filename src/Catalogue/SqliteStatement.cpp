#include "SqliteStatement.h"

#include "SqliteRow.h"

#include <sqlite3.h>

#include <utility>

SqliteStatement::SqliteStatement(sqlite3 *database, const QString &sql)
{
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(database, text.constData(), -1, &m_statement, nullptr) != SQLITE_OK) {
        sqlite3_finalize(m_statement);
        m_statement = nullptr;
    }
}

SqliteStatement::~SqliteStatement()
{
    sqlite3_finalize(m_statement);
}

SqliteStatement::SqliteStatement(SqliteStatement &&other) noexcept
    : m_statement(std::exchange(other.m_statement, nullptr))
{
}

SqliteStatement &SqliteStatement::operator=(SqliteStatement &&other) noexcept
{
    if (this != &other) {
        sqlite3_finalize(m_statement);
        m_statement = std::exchange(other.m_statement, nullptr);
    }
    return *this;
}

void SqliteStatement::bind(int index, qint64 value)
{
    sqlite3_bind_int64(m_statement, index, value);
}

void SqliteStatement::bind(int index, const QString &value)
{
    const QByteArray text = value.toUtf8();
    sqlite3_bind_text(m_statement, index, text.constData(), int(text.size()), SQLITE_TRANSIENT);
}

void SqliteStatement::bind(int index, double value)
{
    sqlite3_bind_double(m_statement, index, value);
}

void SqliteStatement::bind(int index, const std::optional<QString> &value)
{
    if (value)
        bind(index, *value);
    else
        bindNull(index);
}

void SqliteStatement::bindNull(int index)
{
    sqlite3_bind_null(m_statement, index);
}

int SqliteStatement::step()
{
    return sqlite3_step(m_statement);
}

void SqliteStatement::reset()
{
    sqlite3_reset(m_statement);
    sqlite3_clear_bindings(m_statement);
}

SqliteRow SqliteStatement::row() const
{
    return SqliteRow(m_statement);
}
