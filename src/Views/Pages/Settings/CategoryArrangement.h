#pragma once

#include "Catalogue/CatalogueModels.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

// The rules of the category settings: which categories a filter shows, the language chips and
// their counts, what counts as hidden, and the orders the move buttons save.
namespace CategoryArrangement {

struct LanguageCount
{
    QString key;
    int count = 0;

    friend bool operator==(const LanguageCount &, const LanguageCount &) = default;
};

// The categories whose name contains the filter, ignoring case; the filter is trimmed of spaces
// and tabs only, and one that is empty after that shows every category.
[[nodiscard]] QList<BrowseCategory> shown(const QList<BrowseCategory> &categories, const QString &filter);
// Each language of the categories (hidden ones included) with its number of categories; the
// most categories first, then by key.
[[nodiscard]] QList<LanguageCount> languages(const QList<BrowseCategory> &categories);
// "French · 12".
[[nodiscard]] QString chipTitle(const LanguageCount &language);
// Hidden by its own flag or by its language.
[[nodiscard]] bool isHidden(const BrowseCategory &category, const QSet<QString> &hiddenLanguages);
// "FRENCH HIDDEN", the badge of a category whose language is hidden.
[[nodiscard]] QString hiddenLanguageBadge(const QString &key);

// Every provider id in order, with `category` taken out and put back at `target`.
[[nodiscard]] QStringList movedIDs(const QList<BrowseCategory> &categories, const BrowseCategory &category, int target);
// Where one step up (-1) or down (+1) takes the category, kept within the list; none when the
// category is not in it.
[[nodiscard]] std::optional<int> stepTarget(const QList<BrowseCategory> &categories, const BrowseCategory &category,
                                            int step);

} // namespace CategoryArrangement
