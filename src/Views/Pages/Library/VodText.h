#pragma once

#include "Catalogue/CatalogueModels.h"

#include <QString>

// The wording of the films and series page: the count under its title and the panel shown
// instead of an empty or failed grid. (The line under each poster is the poster card's own.)
namespace VodText {

// "Loading…" while the first page loads with nothing shown, else "1 movie", "12 movies",
// "0 shows", "1,204 shows".
[[nodiscard]] QString countLine(CatalogueKind kind, qint64 total, bool loading, bool hasItems);

struct Panel
{
    QString icon;
    QString title;
    QString message;

    friend bool operator==(const Panel &, const Panel &) = default;
};

// What an empty list says: nothing saved yet in the favourites, no match for a query, or an empty
// category.
[[nodiscard]] Panel emptyPanel(const BrowseScope &scope, const QString &query);
// A failed load: "Movies unavailable" or "Series unavailable", with the error's sentence.
[[nodiscard]] Panel errorPanel(CatalogueKind kind, const QString &error);

} // namespace VodText
