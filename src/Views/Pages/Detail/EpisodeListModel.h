#pragma once

#include "Catalogue/CatalogueModels.h"
#include "Catalogue/CataloguePageReader.h"

#include <QAbstractListModel>
#include <QList>
#include <QtQml/qqmlregistration.h>

#include <optional>

// The episode rows of the season a series' detail page shows: each episode with its saved
// position, its watched share and the artwork it shows (the series' own when it has none).
class EpisodeListModel : public QAbstractListModel
{
    Q_OBJECT
    QML_ANONYMOUS

public:
    struct Row
    {
        SeriesEpisode episode;
        std::optional<EpisodeProgress> progress;
        std::optional<QUrl> fallbackArtwork;

        friend bool operator==(const Row &, const Row &) = default;
    };

    enum Role {
        ProviderIdRole = Qt::UserRole + 1,
        // "Episode 5"
        NumberTitleRole,
        // "47m", or empty without a duration.
        DurationRole,
        TitleRole,
        PlotRole,
        ArtworkUrlRole,
        // 0 to 1, or undefined for no bar.
        FractionRole,
        WatchedRole,
        HasProgressRole,
    };
    Q_ENUM(Role)

    using QAbstractListModel::QAbstractListModel;

    [[nodiscard]] int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    [[nodiscard]] QVariant data(const QModelIndex &index, int role) const override;
    [[nodiscard]] QHash<int, QByteArray> roleNames() const override;

    [[nodiscard]] const QList<Row> &rows() const { return m_rows; }
    // Replaces every row; equal rows change nothing.
    void setRows(const QList<Row> &rows);

private:
    QList<Row> m_rows;
};
