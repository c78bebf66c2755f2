#pragma once

#include "Models/CatalogueModels.h"

#include <QObject>

#include <optional>

// The one observable model of the library. This is its outline; the store is built out with
// its playlists, imports, guide refreshes, library writes and health records.
class CatalogueStore : public QObject
{
    Q_OBJECT

public:
    explicit CatalogueStore(QObject *parent = nullptr);

    // The playlist the user chose, if any.
    [[nodiscard]] std::optional<qint64> selectedPlaylistID() const;
    // Seconds to resume a film or episode at; 0 starts from the beginning.
    [[nodiscard]] double resumePosition(const QString &providerID, CatalogueKind kind) const;
};
