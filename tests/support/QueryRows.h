#pragma once

#include <QString>
#include <QStringList>

// Every row of a query on a catalogue file, through a connection of its own: each row as its
// columns' texts joined by "|", with "NULL" for NULL.
[[nodiscard]] QStringList queryRows(const QString &databasePath, const QString &sql);
