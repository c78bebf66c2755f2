#pragma once

#include "Catalogue/CatalogueModels.h"

#include <QList>

// Deterministic provider catalogues of any size with the variety real providers send:
// country-tagged category names, channel numbers, HD/FHD suffixes, years in film titles,
// accented, non-Latin and right-to-left titles, missing optional fields, and a few duplicate ids.
// The same seed and counts always give the same catalogue.
struct GeneratedCatalogue
{
    QList<Category> categories; // live, then movie, then series categories, in provider order
    QList<ContentItem> items;   // live, then movie, then series items, in provider order

    [[nodiscard]] QList<Category> categoriesOf(CatalogueKind kind) const;
    [[nodiscard]] QList<ContentItem> itemsOf(CatalogueKind kind) const;
};

struct CatalogueSize
{
    int live = 0;
    int movies = 0;
    int series = 0;
};

[[nodiscard]] GeneratedCatalogue generateCatalogue(CatalogueSize size, quint32 seed = 1);

// A small catalogue whose category names carry known language tags, for the views that sort
// and hide categories by language: live "UK: News" (3 channels), "FR: Cinéma" (2), "UK: Sports"
// (2), "|AR| MBC" (1), "FR: Sport" (1), "ZZ: Mystery" (1); films "NL: Films" (2), "EN: Action" (1).
[[nodiscard]] GeneratedCatalogue languageCatalogue();
// One hand-written entry for a small catalogue of a test's own: provider id and sort number
// `number`, added the earlier the higher the number.
[[nodiscard]] ContentItem catalogueEntry(CatalogueKind kind, int number, const QString &categoryID,
                                         const QString &title);
