#pragma once

#include "CatalogueDatabase.h"

#include <QString>

// Runs `work` between "BEGIN IMMEDIATE" and "COMMIT" on the connection. When the work or the
// commit fails, the transaction is rolled back (a failing rollback is ignored) and the first
// error goes on to the caller, so that a batch is written whole or not at all.
template<typename Work>
void inImmediateTransaction(CatalogueDatabase &database, Work &&work)
{
    database.execute(QStringLiteral("BEGIN IMMEDIATE"));
    try {
        work();
        database.execute(QStringLiteral("COMMIT"));
    } catch (...) {
        try {
            database.execute(QStringLiteral("ROLLBACK"));
        } catch (...) {
            // The first error is the one that matters; a transaction that did not begin
            // cannot be rolled back either.
        }
        throw;
    }
}
