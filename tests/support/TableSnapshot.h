#pragma once

#include <QString>
#include <QStringList>

class CatalogueDatabase;

// Every row a query yields, each as one text with its columns' types and values, so that a
// test can tell that a table is byte for byte as it was.
[[nodiscard]] QStringList tableSnapshot(CatalogueDatabase &database, const QString &sql);

// Every row of a query on a catalogue file, through a connection of its own: each row as its
// columns' texts joined by "|", with "NULL" for NULL.
[[nodiscard]] QStringList queryRows(const QString &databasePath, const QString &sql);
