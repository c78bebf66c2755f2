#pragma once

#include "Catalogue/CatalogueModels.h"

#include <QDateTime>
#include <QString>

#include <optional>

// The texts that decide when the guide loads and what it may reuse. Numbers are plain decimals;
// pieces are joined by "|".
namespace GuideKeys {

// Keeps an absent scope, all channels, the favourites and every category apart.
[[nodiscard]] QString scopeText(const std::optional<BrowseScope> &scope);

// What the page's load task follows: playlist (0 for none), catalogue revision, category-order
// revision, scope and search text. Any change restarts the load.
[[nodiscard]] QString taskKey(std::optional<qint64> playlistID, int catalogueRevision, int categoryOrderRevision,
                              const std::optional<BrowseScope> &scope, const QString &query);
// What a completed load recorded: the task key without the category-order revision, so that a
// change of category order alone restarts the task but reads nothing.
[[nodiscard]] QString loadedKey(std::optional<qint64> playlistID, int catalogueRevision,
                                const std::optional<BrowseScope> &scope, const QString &query);
// One row's programmes of one day: the guide key and the day's start in seconds since 1970.
// Channels that share a guide key share the entry.
[[nodiscard]] QString cacheKey(const QString &epgKey, const QDateTime &dayStart);

} // namespace GuideKeys
