#pragma once

#include "Catalogue/CatalogueModels.h"
#include "Catalogue/SourceHealth.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QUrl>

#include <optional>

// What one card of the playlists page says about a playlist: its tile letter and server line,
// its badges, the three health columns and the refresh panel. A plain value made from the
// store's state at one moment.
struct PlaylistCard
{
    // One health column: "Catalogue", "TV guide" or "Connection".
    struct Stat
    {
        QString title;
        QString updated;  // "Updated 5 min ago", or "Not yet"
        bool dated = false;
        QString dateHelp; // the full date and time of the update, for the hover help
        QString error;    // the last failure's sentence
        QString extra;    // a line shown when there is no error

        friend bool operator==(const Stat &, const Stat &) = default;
    };

    // What the store knows about the playlist besides its row.
    struct Status
    {
        SourceHealth health;
        bool active = false;
        bool refreshing = false;
        bool importing = false;
        std::optional<QString> activity;
    };

    qint64 id = 0;
    QString name;
    QString initial;
    QString server;
    bool active = false;
    bool needsAttention = false;
    bool refreshing = false;
    bool importing = false;
    QString step;
    int progress = 0;
    QString progressText;
    QList<Stat> stats;

    [[nodiscard]] static PlaylistCard make(const Playlist &playlist, const Status &status, const QDateTime &now);

    // The name's first character in upper case; "?" for an empty name.
    [[nodiscard]] static QString initialOf(const QString &name);
    // The server's host; the whole address when it has none.
    [[nodiscard]] static QString serverLine(const QUrl &serverURL);

    friend bool operator==(const PlaylistCard &, const PlaylistCard &) = default;
};
