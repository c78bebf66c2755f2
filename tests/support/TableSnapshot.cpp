#include "TableSnapshot.h"

#include "Stores/MacDatabase.h"

#include <sqlite3.h>

#include <stdexcept>

QStringList tableSnapshot(MacDatabase &database, const QString &sql)
{
    sqlite3_stmt *statement = nullptr;
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(database.handle(), text.constData(), -1, &statement, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(database.handle()));
    QStringList rows;
    while (sqlite3_step(statement) == SQLITE_ROW) {
        QStringList columns;
        for (int column = 0; column < sqlite3_column_count(statement); ++column) {
            const int type = sqlite3_column_type(statement, column);
            const auto *value = reinterpret_cast<const char *>(sqlite3_column_text(statement, column));
            columns.append(QString::number(type) + u':'
                           + (value ? QString::fromUtf8(value, sqlite3_column_bytes(statement, column)) : QString()));
        }
        rows.append(columns.join(u'|'));
    }
    sqlite3_finalize(statement);
    return rows;
}
