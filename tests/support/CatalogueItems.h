#pragma once

#include "Catalogue/CatalogueModels.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Catalogue items as tests make them, and the lists tests compare them by.

// An item of `kind` with the provider's id, titled `title`, else after its kind and id
// ("Film 7", "Channel 7", "Series 7").
[[nodiscard]] MediaItem catalogueItem(CatalogueKind kind, const QString &providerID, const QString &title = {});
// A film in an MP4 file.
[[nodiscard]] MediaItem film(const QString &providerID);
[[nodiscard]] MediaItem channel(const QString &providerID, std::optional<qint64> number = std::nullopt,
                                const QString &epgKey = {});
// Episode `number` of season `season` ("Part 2" in an MKV file), its provider's id made of the
// series, the season and the number ("900-102").
[[nodiscard]] SeriesEpisode episode(const QString &seriesID, int season, int number);
// A live category with `items` entries, shown unless `hidden`.
[[nodiscard]] BrowseCategory category(const QString &id, const QString &name,
                                      const QString &language = QStringLiteral("en"), qint64 items = 10,
                                      bool hidden = false);

// The items' ids ("movie:7") and titles, and the programmes' titles, in order.
[[nodiscard]] QStringList ids(const QList<MediaItem> &items);
[[nodiscard]] QStringList titles(const QList<MediaItem> &items);
[[nodiscard]] QStringList titles(const QList<GuideProgramme> &programmes);
