#pragma once

#include "Catalogue/CatalogueModels.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QUrl>
#include <QUuid>

#include <optional>

class CatalogueStore;

// One playback request: what to play, how to label it, and where its resume position, favourite,
// guide and channel list come from. The playlist id and the resume position are filled in when
// the target is shown.
struct PlaybackTarget
{
    QUuid id = QUuid::createUuid();
    QUrl url;
    // For an episode, the series' title; for a local file, its name without the extension.
    QString title;
    CatalogueKind kind = CatalogueKind::Movie;
    std::optional<QString> containerExtension;
    std::optional<QString> subtitle;
    QString providerID;
    // None for a local file.
    QPointer<CatalogueStore> catalogueStore;
    // The stream the now/next guide asks about.
    std::optional<QString> streamID;
    // The login for the short guide; live channels only.
    std::optional<XtreamCredentials> epgCredentials;

    std::optional<qint64> playlistID;
    double resumePosition = 0;
    // For an episode, the series' provider id: the favourite belongs to the series.
    std::optional<QString> favouriteProviderID;
    std::optional<MediaItem> item;
    QList<MediaItem> channels;
    std::optional<SeriesEpisode> episode;
    QList<SeriesEpisode> episodes;
    bool allowResume = true;
};
