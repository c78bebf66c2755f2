#pragma once

#include <QStringList>

class CatalogueDatabase;

// What the item counts and the title index hold that their content_items rows do not say, or
// lack that they do: each difference as one line ("count ..." or "title ..."). Empty when both
// are exactly what rebuilding them from the rows would give.
[[nodiscard]] QStringList itemSummaryDifferences(CatalogueDatabase &database);
