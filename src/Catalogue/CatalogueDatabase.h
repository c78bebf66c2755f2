#pragma once

#include "CatalogueDatabaseError.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

struct sqlite3;
struct sqlite3_stmt;

// A read-write connection opened for one job off the main thread (the migration, the
// importers, bulk library writes, episode saves, playlist edit and removal). One owner, one
// thread; it is closed when the object goes.
class CatalogueDatabase final
{
public:
    using Binds = QList<std::optional<QString>>;

    // Opens (creating if needed) the file; throws "The local catalogue could not be opened.".
    explicit CatalogueDatabase(const QString &path);
    ~CatalogueDatabase();

    CatalogueDatabase(const CatalogueDatabase &) = delete;
    CatalogueDatabase &operator=(const CatalogueDatabase &) = delete;

    // Runs one statement with text binds (absent values bind NULL), stepping exactly once.
    void execute(const QString &sql, const Binds &binds = {});
    // Runs a multi-statement script, every statement of it.
    void executeScript(const QString &sql);
    // Column 0 of the first row; throws when the statement yields no row.
    [[nodiscard]] qint64 integer(const QString &sql);
    // Column 0 of every row as text (NULL rows left out).
    [[nodiscard]] QStringList texts(const QString &sql);
    // "Local database error (<code>): <SQLite's text>" for the connection's current error.
    [[nodiscard]] CatalogueDatabaseError error() const;
    // Rows inserted, updated or deleted on this connection since it was opened.
    [[nodiscard]] qint64 totalChanges() const;

    [[nodiscard]] sqlite3 *handle() const { return m_handle; }

private:
    sqlite3_stmt *cachedStatement(const QString &sql);
    void close();

    sqlite3 *m_handle = nullptr;
    // Statements are kept prepared between calls: writers run the same few statements for
    // hundreds of thousands of rows, and preparing each time would dominate an import.
    QHash<QString, sqlite3_stmt *> m_statements;
};
