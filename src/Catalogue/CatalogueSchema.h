#pragma once

#include <QString>

class CatalogueDatabase;

// The one definition of the catalogue file's format. The schema is created with "IF NOT EXISTS"
// statements and extended by adding missing columns, so a file of any earlier layout is
// upgraded in place and nothing is ever dropped.
namespace CatalogueSchema {

// Brings the file to the current schema. Blocking: runs on the caller's (worker) thread, once
// per launch, before any other connection writes. Throws CatalogueDatabaseError; work done by steps
// before a failure stays.
void prepare(const QString &databasePath);

// Refreshes the query planner's statistics after a catalogue has been replaced, so that lists
// over a few favourites are read through the favourites rather than by walking every item.
// Sampled, so it takes milliseconds even for hundreds of thousands of rows.
void updateStatistics(CatalogueDatabase &database);

} // namespace CatalogueSchema
