#include "CatalogueDatabase.h"

#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace {

// Resets a cached statement on every way out of a call, so that it never holds a lock.
class StatementReset final
{
public:
    explicit StatementReset(sqlite3_stmt *statement)
        : m_statement(statement)
    {
    }
    ~StatementReset()
    {
        sqlite3_reset(m_statement);
        sqlite3_clear_bindings(m_statement);
    }
    StatementReset(const StatementReset &) = delete;
    StatementReset &operator=(const StatementReset &) = delete;

private:
    sqlite3_stmt *m_statement;
};

} // namespace

CatalogueDatabase::CatalogueDatabase(const QString &path)
{
    const QByteArray file = path.toUtf8();
    const int result = sqlite3_open_v2(file.constData(), &m_handle,
                                       SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX, nullptr);
    if (result != SQLITE_OK || !m_handle) {
        if (m_handle)
            sqlite3_close_v2(m_handle);
        m_handle = nullptr;
        throw CatalogueDatabaseError(u"The local catalogue could not be opened."_s);
    }
    sqlite3_busy_timeout(m_handle, 3000);
    try {
        execute(u"PRAGMA foreign_keys = ON"_s);
        execute(u"PRAGMA temp_store = FILE"_s);
    } catch (...) {
        // No destructor runs for an object that was never made.
        close();
        throw;
    }
}

CatalogueDatabase::~CatalogueDatabase()
{
    close();
}

void CatalogueDatabase::close()
{
    for (sqlite3_stmt *statement : std::as_const(m_statements))
        sqlite3_finalize(statement);
    m_statements.clear();
    sqlite3_close_v2(m_handle);
    m_handle = nullptr;
}

sqlite3_stmt *CatalogueDatabase::cachedStatement(const QString &sql)
{
    if (sqlite3_stmt *statement = m_statements.value(sql))
        return statement;
    const QByteArray text = sql.toUtf8();
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v2(m_handle, text.constData(), -1, &statement, nullptr) != SQLITE_OK || !statement) {
        CatalogueDatabaseError failure = error();
        sqlite3_finalize(statement);
        throw failure;
    }
    m_statements.insert(sql, statement);
    return statement;
}

void CatalogueDatabase::execute(const QString &sql, const Binds &binds)
{
    sqlite3_stmt *statement = cachedStatement(sql);
    StatementReset reset(statement);
    for (qsizetype index = 0; index < binds.size(); ++index) {
        const auto &value = binds.at(index);
        const int parameter = int(index + 1);
        if (value) {
            const QByteArray text = value->toUtf8();
            sqlite3_bind_text(statement, parameter, text.constData(), int(text.size()), SQLITE_TRANSIENT);
        } else {
            sqlite3_bind_null(statement, parameter);
        }
    }
    const int step = sqlite3_step(statement);
    if (step != SQLITE_ROW && step != SQLITE_DONE)
        throw error();
}

void CatalogueDatabase::executeScript(const QString &sql)
{
    const QByteArray text = sql.toUtf8();
    if (sqlite3_exec(m_handle, text.constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
        throw error();
}

qint64 CatalogueDatabase::integer(const QString &sql)
{
    sqlite3_stmt *statement = cachedStatement(sql);
    StatementReset reset(statement);
    if (sqlite3_step(statement) != SQLITE_ROW)
        throw error();
    return sqlite3_column_int64(statement, 0);
}

QStringList CatalogueDatabase::texts(const QString &sql)
{
    sqlite3_stmt *statement = cachedStatement(sql);
    StatementReset reset(statement);
    QStringList values;
    int step = SQLITE_ROW;
    while ((step = sqlite3_step(statement)) == SQLITE_ROW) {
        if (sqlite3_column_type(statement, 0) != SQLITE_NULL)
            values.append(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, 0)),
                                            sqlite3_column_bytes(statement, 0)));
    }
    if (step != SQLITE_DONE)
        throw error();
    return values;
}

CatalogueDatabaseError CatalogueDatabase::error() const
{
    return CatalogueDatabaseError(u"Local database error ("_s + QString::number(sqlite3_errcode(m_handle)) + u"): "_s
                            + QString::fromUtf8(sqlite3_errmsg(m_handle)));
}

qint64 CatalogueDatabase::totalChanges() const
{
    return sqlite3_total_changes64(m_handle);
}
