#pragma once

#include "Catalogue/CatalogueModels.h"

#include <QByteArrayView>
#include <QList>

// The provider's small replies that are read whole: the account check, one series' episode
// list and one channel's short guide. Each throws JSONParseError for a body that is not JSON and
// XtreamAPIError for a reply of the wrong shape or a refused login.
namespace XtreamDocuments {

// Accepts a valid, active login; otherwise throws XtreamAPIError::providerMessage with the
// sentence that says why.
void checkAccountReply(QByteArrayView body);

// Every episode of the reply, whatever way the provider nested them, each provider id once,
// ordered by season, episode number and id.
[[nodiscard]] QList<SeriesEpisode> seriesEpisodes(QByteArrayView body, const QString &seriesID);

// The usable programmes of the reply, ordered by start.
[[nodiscard]] QList<LiveProgramme> shortGuide(QByteArrayView body);

} // namespace XtreamDocuments
