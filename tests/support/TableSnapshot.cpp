#include "TableSnapshot.h"

#include "Catalogue/CatalogueDatabase.h"
#include "Catalogue/SqliteRow.h"
#include "Catalogue/SqliteStatement.h"

#include <functional>
#include <stdexcept>

using namespace Qt::StringLiterals;

namespace {

// Each row of the query as its columns, formatted one by one, joined by "|".
QStringList rowTexts(CatalogueDatabase &database, const QString &sql,
                     const std::function<QString(const SqliteRow &, int column)> &format)
{
    SqliteStatement statement(database.handle(), sql);
    if (!statement)
        throw std::runtime_error(sqlite3_errmsg(database.handle()));
    QStringList rows;
    while (statement.step() == SQLITE_ROW) {
        const SqliteRow row = statement.row();
        QStringList columns;
        for (int column = 0; column < row.columnCount(); ++column)
            columns.append(format(row, column));
        rows.append(columns.join(u'|'));
    }
    return rows;
}

} // namespace

QStringList tableSnapshot(CatalogueDatabase &database, const QString &sql)
{
    return rowTexts(database, sql, [](const SqliteRow &row, int column) -> QString {
        // The type is read before the text, whose conversion would change it.
        const int type = row.type(column);
        return QString::number(type) + u':' + row.text(column).value_or(QString());
    });
}

QStringList queryRows(const QString &databasePath, const QString &sql)
{
    CatalogueDatabase database(databasePath);
    return rowTexts(database, sql,
                    [](const SqliteRow &row, int column) -> QString { return row.text(column).value_or(u"NULL"_s); });
}
