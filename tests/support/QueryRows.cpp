#include "QueryRows.h"

#include "Stores/MacDatabase.h"
#include "Stores/SqliteRow.h"
#include "Stores/SqliteStatement.h"

#include <sqlite3.h>

using namespace Qt::StringLiterals;

QStringList queryRows(const QString &databasePath, const QString &sql)
{
    MacDatabase database(databasePath);
    SqliteStatement statement(database.handle(), sql);
    if (!statement)
        qFatal("bad test query");
    QStringList result;
    while (statement.step() == SQLITE_ROW) {
        const SqliteRow row = statement.row();
        QStringList columns;
        for (int column = 0; column < sqlite3_column_count(statement.handle()); ++column)
            columns.append(row.text(column).value_or(u"NULL"_s));
        result.append(columns.join(u'|'));
    }
    return result;
}
