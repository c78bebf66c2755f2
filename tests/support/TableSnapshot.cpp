#include "TableSnapshot.h"

#include "Stores/MacDatabase.h"
#include "Stores/SqliteRow.h"
#include "Stores/SqliteStatement.h"

#include <stdexcept>

QStringList tableSnapshot(MacDatabase &database, const QString &sql)
{
    SqliteStatement statement(database.handle(), sql);
    if (!statement)
        throw std::runtime_error(sqlite3_errmsg(database.handle()));
    QStringList rows;
    while (statement.step() == SQLITE_ROW) {
        const SqliteRow row = statement.row();
        QStringList columns;
        for (int column = 0; column < sqlite3_column_count(statement.handle()); ++column) {
            // The type is read before the text, whose conversion would change it.
            const int type = sqlite3_column_type(statement.handle(), column);
            columns.append(QString::number(type) + u':' + row.text(column).value_or(QString()));
        }
        rows.append(columns.join(u'|'));
    }
    return rows;
}
