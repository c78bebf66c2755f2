#pragma once

#include "Support/CheckedConversion.h"

#include <QDateTime>
#include <QString>

#include <sqlite3.h>

#include <optional>

// Typed, NULL-aware reads of the current row of a stepped statement. Only the reader's sources
// include this; it keeps SQLite's column calls out of the row decoders.
class SqliteRow final
{
public:
    explicit SqliteRow(sqlite3_stmt *statement)
        : m_statement(statement)
    {
    }

    [[nodiscard]] int columnCount() const { return sqlite3_column_count(m_statement); }
    // SQLite's storage class of the column (SQLITE_INTEGER, SQLITE_TEXT, ...), before any read.
    [[nodiscard]] int type(int column) const { return sqlite3_column_type(m_statement, column); }
    [[nodiscard]] bool isNull(int column) const { return type(column) == SQLITE_NULL; }

    [[nodiscard]] std::optional<QString> text(int column) const
    {
        if (isNull(column))
            return std::nullopt;
        const auto *bytes = reinterpret_cast<const char *>(sqlite3_column_text(m_statement, column));
        return QString::fromUtf8(bytes, sqlite3_column_bytes(m_statement, column));
    }

    [[nodiscard]] std::optional<qint64> integer(int column) const
    {
        if (isNull(column))
            return std::nullopt;
        return sqlite3_column_int64(m_statement, column);
    }

    [[nodiscard]] std::optional<double> real(int column) const
    {
        if (isNull(column))
            return std::nullopt;
        return sqlite3_column_double(m_statement, column);
    }

    // A time stored as seconds since 1970; none for NULL and for a damaged value.
    [[nodiscard]] std::optional<QDateTime> moment(int column) const
    {
        const std::optional<double> seconds = real(column);
        return seconds ? momentFromEpochSeconds(*seconds) : std::nullopt;
    }

private:
    sqlite3_stmt *m_statement;
};
